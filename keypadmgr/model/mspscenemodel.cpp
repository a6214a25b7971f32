// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspscenemodel.h"

#include "mspeffectfactory.h"
#include "mspeffect.h"
#include "mspscene.h"

MSPSceneModel *MSPSceneModel::instance()
{
    static MSPSceneModel *const model = new MSPSceneModel;
    return model;
}

MSPSceneModel::MSPSceneModel(QObject *parent)
    : QAbstractListModel(parent)
{
    qRegisterMetaType<MSPScene *>("MSPScene*");
    // Views (and the model tester) expect the display role to read as text:
    // a scene reads as its path.
    static const bool converterRegistered = QMetaType::registerConverter<MSPScene *, QString>(
            [](MSPScene *scene) { return scene ? scene->url() : QString(); });
    Q_UNUSED(converterRegistered)
    beginInsertRows(QModelIndex(), 0, sceneCount - 1);
    for (int row = 0; row < sceneCount; ++row)
        m_scenes.append(nullptr);
    endInsertRows();
    for (int row = 0; row < sceneCount; ++row) {
        auto *scene = new MSPScene(this);
        setData(index(row, 0), QVariant::fromValue(scene), Qt::EditRole);
        connect(scene, &MSPScene::effectParamsChanged, this, &MSPSceneModel::effectParamsChanged);
        connect(scene, &MSPScene::effectChanged, this, &MSPSceneModel::effectChanged);
    }
}

MSPSceneModel::~MSPSceneModel() = default;

int MSPSceneModel::rowCount(const QModelIndex &parent) const
{
    // A list: only the invisible root has rows.
    return parent.isValid() ? 0 : m_scenes.size();
}

QVariant MSPSceneModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.column() < 0 || index.model() != this)
        return QVariant();
    switch (role) {
    case Qt::DecorationRole:
    case Qt::ToolTipRole:
    case Qt::StatusTipRole:
    case Qt::WhatsThisRole:
    case Qt::SizeHintRole:
    case Qt::FontRole:
    case Qt::TextAlignmentRole:
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::CheckStateRole:
        return QVariant();
    default:
        break;
    }
    MSPScene *scene = index.row() < m_scenes.size() ? m_scenes.at(index.row()) : nullptr;
    return QVariant::fromValue(scene);
}

bool MSPSceneModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.model() != this || role != Qt::EditRole || index.row() >= m_scenes.size())
        return false;
    m_scenes[index.row()] = value.value<MSPScene *>();
    emit dataChanged(index, index);
    return true;
}

QVariant MSPSceneModel::headerData(int, Qt::Orientation, int) const
{
    return QVariant();
}

bool MSPSceneModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row > m_scenes.size())
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_scenes.insert(row, nullptr);
    endInsertRows();
    return true;
}

bool MSPSceneModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row > m_scenes.size() - count)
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_scenes.removeAt(row);
    endRemoveRows();
    return true;
}

MSPScene *MSPSceneModel::sceneAt(int index) const
{
    if (index < 0 || index >= m_scenes.size())
        return nullptr;
    return data(this->index(index, 0)).value<MSPScene *>();
}

int MSPSceneModel::indexOf(MSPScene *scene) const
{
    return m_scenes.indexOf(scene);
}

void MSPSceneModel::setActiveSceneIndex(int index, bool emitSignal)
{
    if (index == m_activeSceneIndex)
        return;
    m_activeSceneIndex = index;
    if (emitSignal)
        emit activeSceneIndexChanged(index);
}

void MSPSceneModel::handleSceneChangedEffect(int index)
{
    if (index == m_activeSceneIndex)
        emit activeSceneChangedEffect();
}

void MSPSceneModel::prepareOfflineDefaults()
{
    setActiveSceneIndex(0, false);
    for (int row = 0; row < m_scenes.size(); ++row) {
        MSPScene *scene = m_scenes.at(row);
        if (!scene)
            continue;
        scene->setUrl(QStringLiteral("/api/v1/shows/") + QString::number(row + 1));
        if (!scene->effect())
            scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::FixedColor, scene), false);
    }
}

#include "moc_mspscenemodel.cpp"
