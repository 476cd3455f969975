// The one owner of a document's layers: what replacing, swapping and clearing do while a render
// thread may still read a layer.
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"

#include <QtTest>

class TestLayerSet : public QObject
{
    Q_OBJECT

private slots:
    void replaceRefusesWhatItCannotHold()
    {
        LayerSet set;
        GerberLayer* before = set.slot(false, LayerSlot::Mask);
        QVERIFY(!set.replace(LayerList::Bottom, layerSlotCount, std::make_unique<GerberLayer>())
            && !set.replace(LayerList::Bottom, -1, std::make_unique<GerberLayer>())
            && !set.replace(LayerList::Bottom, 1, nullptr));
        QVERIFY(!set.layer(LayerList::Top, 7) && !set.layer(LayerList::GerberMode, -1));
        QCOMPARE(set.slot(false, LayerSlot::Mask), before);
        QVERIFY(!set.swap(LayerList::GerberMode, 0, gerberModeLayerCount));
        GerberLayer* row0 = set.layer(LayerList::GerberMode, 0);
        QVERIFY(set.swap(LayerList::GerberMode, 0, 5));
        QCOMPARE(set.layer(LayerList::GerberMode, 5), row0);
    }

    // A layer a render thread still reads is freed only once the thread lets go; the sanitizer
    // build reports a use after free if it is freed early.
    void busyLayerOutlivesItsReplacement()
    {
        LayerSet set;
        GerberLayer* old = set.slot(true, LayerSlot::Paste);
        old->busy = true;
        QVERIFY(set.replace(LayerList::Top, 2, std::make_unique<GerberLayer>(2)));
        QVERIFY(set.slot(true, LayerSlot::Paste) != old && set.retiredCount() == 1 && set.anyBusy());
        old->fileName = QStringLiteral("still alive");
        set.reset({});
        QCOMPARE(set.retiredCount(), 1);
        old->busy = false;
        QVERIFY(!set.anyBusy());
        set.collectRetired();
        QCOMPARE(set.retiredCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLayerSet)
#include "tst_layerset.moc"
