// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcolorwasheffect.h"
#include "mspfixedcoloreffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"

#include <QAbstractItemModelTester>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

class tst_MSPSceneModel : public QObject
{
    Q_OBJECT

private slots:
    void freshModel();
    void modelTester();
    void dataAndSetData();
    void rowsOutsideTheList_data();
    void rowsOutsideTheList();
    void forwardsSceneSignals();
    void activeSceneIndex();
    void offlineDefaults();
    void instanceIsSingle();
};

void tst_MSPSceneModel::freshModel()
{
    MSPSceneModel model;
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(model.activeSceneIndex(), 0);
    QSet<MSPScene *> scenes;
    for (int row = 0; row < 8; ++row) {
        MSPScene *scene = model.sceneAt(row);
        QVERIFY(scene);
        QVERIFY(!scene->effect());
        QVERIFY(scene->url().isEmpty());
        QCOMPARE(scene->parent(), &model);
        QCOMPARE(model.indexOf(scene), row);
        scenes.insert(scene);
    }
    QCOMPARE(scenes.size(), 8);
    QVERIFY(!model.sceneAt(8));
    QVERIFY(!model.sceneAt(-1));
    QCOMPARE(model.indexOf(nullptr), -1);
}

void tst_MSPSceneModel::modelTester()
{
    MSPSceneModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.insertRows(8, 2));
    QCOMPARE(model.rowCount(), 10);
    QVERIFY(!model.sceneAt(9));
    QVERIFY(model.removeRows(8, 2));
    QCOMPARE(model.rowCount(), 8);
    QVERIFY(model.setData(model.index(1, 0), QVariant::fromValue(model.sceneAt(1)), Qt::EditRole));
}

void tst_MSPSceneModel::dataAndSetData()
{
    MSPSceneModel model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const QModelIndex third = model.index(2, 0);
    MSPScene *scene = model.sceneAt(2);
    QCOMPARE(model.data(third).value<MSPScene *>(), scene);
    QCOMPARE(model.data(third, Qt::UserRole + 5).value<MSPScene *>(), scene);
    QCOMPARE(model.data(third, Qt::EditRole).value<MSPScene *>(), scene);
    QVERIFY(!model.data(QModelIndex()).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal).isValid());

    MSPScene other;
    QVERIFY(!model.setData(third, QVariant::fromValue(&other), Qt::DisplayRole));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!model.setData(QModelIndex(), QVariant::fromValue(&other), Qt::EditRole));
    QVERIFY(model.setData(third, QVariant::fromValue(&other), Qt::EditRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), third);
    QCOMPARE(model.sceneAt(2), &other);
    QVERIFY(model.setData(third, QVariant::fromValue(scene), Qt::EditRole));
}

void tst_MSPSceneModel::rowsOutsideTheList_data()
{
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");
    QTest::newRow("insert past the end") << true << 9 << 1;
    QTest::newRow("insert negative row") << true << -1 << 1;
    QTest::newRow("insert no rows") << true << 0 << 0;
    QTest::newRow("remove past the end") << false << 8 << 1;
    QTest::newRow("remove overlapping the end") << false << 7 << 2;
    QTest::newRow("remove negative row") << false << -1 << 1;
    QTest::newRow("remove negative count") << false << 2 << -1;
}

// Out-of-range requests change nothing and report it, instead of
// announcing rows that do not exist.
void tst_MSPSceneModel::rowsOutsideTheList()
{
    QFETCH(bool, insert);
    QFETCH(int, row);
    QFETCH(int, count);
    MSPSceneModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QVERIFY(!(insert ? model.insertRows(row, count) : model.removeRows(row, count)));
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(inserted.count() + removed.count(), 0);
}

void tst_MSPSceneModel::forwardsSceneSignals()
{
    MSPSceneModel model;
    QSignalSpy params(&model, &MSPSceneModel::effectParamsChanged);
    QSignalSpy changed(&model, &MSPSceneModel::effectChanged);
    auto *wash = new MSPColorWashEffect;
    model.sceneAt(4)->setEffect(wash, true);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<MSPScene *>(), model.sceneAt(4));
    wash->setDirection(1);
    QCOMPARE(params.count(), 1);
    QCOMPARE(params.at(0).at(0).value<MSPScene *>(), model.sceneAt(4));
}

void tst_MSPSceneModel::activeSceneIndex()
{
    MSPSceneModel model;
    QSignalSpy index(&model, &MSPSceneModel::activeSceneIndexChanged);
    QSignalSpy effect(&model, &MSPSceneModel::activeSceneChangedEffect);
    model.setActiveSceneIndex(3, false);
    QCOMPARE(model.activeSceneIndex(), 3);
    QCOMPARE(index.count(), 0);
    model.setActiveSceneIndex(5, true);
    QCOMPARE(index.count(), 1);
    QCOMPARE(index.at(0).at(0).toInt(), 5);
    model.setActiveSceneIndex(5, true);
    QCOMPARE(index.count(), 1);

    model.handleSceneChangedEffect(2);
    QCOMPARE(effect.count(), 0);
    model.handleSceneChangedEffect(5);
    QCOMPARE(effect.count(), 1);
}

void tst_MSPSceneModel::offlineDefaults()
{
    MSPSceneModel model;
    model.setActiveSceneIndex(6, false);
    auto *kept = new MSPColorWashEffect;
    model.sceneAt(1)->setEffect(kept, false);
    QSignalSpy changed(&model, &MSPSceneModel::effectChanged);
    QSignalSpy index(&model, &MSPSceneModel::activeSceneIndexChanged);

    model.prepareOfflineDefaults();
    QCOMPARE(model.activeSceneIndex(), 0);
    QCOMPARE(changed.count() + index.count(), 0);
    for (int row = 0; row < 8; ++row) {
        MSPScene *scene = model.sceneAt(row);
        QCOMPARE(scene->url(), QStringLiteral("/api/v1/shows/%1").arg(row + 1));
        QVERIFY(scene->effect());
        QCOMPARE(scene->effect()->parent(), scene);
        if (row == 1) {
            QCOMPARE(scene->effect(), kept);
            continue;
        }
        auto *fixed = qobject_cast<MSPFixedColorEffect *>(scene->effect());
        QVERIFY(fixed);
        QCOMPARE(fixed->type(), 0);
        QCOMPARE(fixed->color(), QStringLiteral("#ff0000"));
    }
}

void tst_MSPSceneModel::instanceIsSingle()
{
    MSPSceneModel *model = MSPSceneModel::instance();
    QCOMPARE(MSPSceneModel::instance(), model);
    QVERIFY(!model->parent());
    QCOMPARE(model->rowCount(), 8);
}

QTEST_GUILESS_MAIN(tst_MSPSceneModel)
#include "tst_mspscenemodel.moc"
