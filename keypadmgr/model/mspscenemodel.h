// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QList>

class MSPScene;

/**
 * The keypad's eight scenes as a list model: row i is the scene of scene
 * button i + 1. Every scene's change signals are forwarded, so listeners
 * connect once here and learn the scene from the argument.
 */
class MSPSceneModel : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPSceneModel)
public:
    static constexpr int sceneCount = 8;

    /** The process-wide model, created on first use. */
    static MSPSceneModel *instance();

    /** A model of eight empty scenes; the program uses instance(). */
    explicit MSPSceneModel(QObject *parent = nullptr);
    ~MSPSceneModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    /**
     * The scene of the row as a QVariant holding an MSPScene*, for any role
     * but the views' formatting roles (tool tip, font, size hint, colours,
     * alignment, check state, decoration), which have no value here.
     */
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    /** Stores the MSPScene* of @p value in the row; edit role only. */
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    /** Inserts null rows; false for a position outside the list or a count below 1. */
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    /** Removes rows; false for a range outside the list. */
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    /** The scene of row @p index, or null outside the list. */
    MSPScene *sceneAt(int index) const;
    /** The row of @p scene, or -1. */
    int indexOf(MSPScene *scene) const;

    int activeSceneIndex() const { return m_activeSceneIndex; }
    void setActiveSceneIndex(int index, bool emitSignal);

    /**
     * The offline defaults used when no keypad was found: active index 0,
     * scene paths "/api/v1/shows/1".."/api/v1/shows/8", and a default Fixed
     * Color effect for every scene that has none. No signals.
     */
    void prepareOfflineDefaults();

signals:
    void activeSceneChangedEffect();
    void activeSceneIndexChanged(int index);
    void effectParamsChanged(MSPScene *scene);
    void effectChanged(MSPScene *scene);

public slots:
    void handleSceneChangedEffect(int index);

private:
    QList<MSPScene *> m_scenes;
    int m_activeSceneIndex = 0;
};
