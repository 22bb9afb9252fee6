#include "FirmwareRig.h"
#include "HexText.h"
#include "firmware/LegacyPackets.h"
#include "firmware/LegacyUpload.h"

#include <gtest/gtest.h>

namespace {

// A TKV-C2 (firmware 6.2) in its loader, and the upload of a small program.
struct LegacyRig : FirmwareRig {
    LegacyRig() : FirmwareRig(SimKind::TkvC2) {}

    void start(bool acceptsF = true)
    {
        enterLoader(CommunicatorModel::TkvC2, acceptsF);
        upload = std::make_unique<LegacyUpload>(link, clock, messages, texts, view,
                                                buildLegacyPackets(hex, QStringLiteral("6.2")).packets);
        upload->start();
    }
    bool runToEnd()
    {
        return clock.runUntil(
            [this] {
                return upload->state() == LegacyUpload::State::Finished || upload->state() == LegacyUpload::State::Failed;
            },
            std::chrono::minutes(10));
    }
    SimLegacyLoader &loader() { return *device.legacyLoader(); }

    // Three records of program words and one past the end of memory.
    QByteArray hex = dataRecord(0x0010, countingBytes(16, 0x20)) + dataRecord(0x0120, countingBytes(8, 0x40))
                     + dataRecord(0x2000, countingBytes(4, 0x60)) + dataRecord(0x79A2, countingBytes(2))
                     + endRecord();
    std::unique_ptr<LegacyUpload> upload;
};

void expectProgramInFlash(LegacyRig &rig)
{
    EXPECT_EQ(rig.loader().flash.mid(0x0010, 16), countingBytes(16, 0x20));
    EXPECT_EQ(rig.loader().flash.mid(0x0120, 8), countingBytes(8, 0x40));
    EXPECT_EQ(rig.loader().flash.mid(0x2000, 8), countingBytes(4, 0x60) + QByteArray(4, char(0xFF)));
    EXPECT_TRUE(rig.loader().isFinished());
}

TEST(LegacyUpload, SendsEveryPacketAndFinishesOnZ)
{
    LegacyRig rig;
    rig.start();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.upload->state(), LegacyUpload::State::Finished);
    expectProgramInFlash(rig);
    EXPECT_EQ(rig.loader().packets.size(), 5);  // four data packets and the end packet
    EXPECT_EQ(rig.messages.messages, QStringList{rig.message(28)});
    EXPECT_TRUE(rig.view.success);
    EXPECT_EQ(rig.view.statuses.last(), QStringLiteral("Finish"));
    EXPECT_TRUE(rig.view.log.contains(QStringLiteral("77<=>Y")));
    EXPECT_TRUE(rig.view.log.contains(QStringLiteral("08<=>O")));
    EXPECT_EQ(rig.view.log.mid(rig.view.log.size() - 3, 2),
              (QStringList{QStringLiteral("Finish"), QStringLiteral("========================")}));
}

TEST(LegacyUpload, ARepeatOrAnEarlyKOrASilenceSendsThePacketAgain)
{
    struct Case {
        const char *name;
        std::function<void(SimLegacyLoaderFaults &)> inject;
        std::optional<UpgradeView::StatusColour> colour;
    };
    const Case cases[] = {
        {"P", [](SimLegacyLoaderFaults &f) { f.resendAtByte = 4; }, UpgradeView::StatusColour::Blue},
        {"K in mid-packet", [](SimLegacyLoaderFaults &f) { f.earlyAckAtByte = 6; }, std::nullopt},
        {"no reply", [](SimLegacyLoaderFaults &f) { f.silentAtByte = 3; }, UpgradeView::StatusColour::Magenta},
        {"P for the last byte", [](SimLegacyLoaderFaults &f) { f.resendAtByte = 10; },
         UpgradeView::StatusColour::Blue},
        {"no K", [](SimLegacyLoaderFaults &f) { f.silentAtByte = 10; }, UpgradeView::StatusColour::Magenta},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LegacyRig rig;
        rig.start();
        c.inject(rig.loader().faults);
        ASSERT_TRUE(rig.runToEnd());
        EXPECT_EQ(rig.upload->state(), LegacyUpload::State::Finished);
        expectProgramInFlash(rig);
        if (c.colour) {
            EXPECT_TRUE(rig.view.statusColours.contains(*c.colour));
        }
        EXPECT_EQ(rig.messages.messages, QStringList{rig.message(28)});
    }
}

TEST(LegacyUpload, AZAnywhereButAfterTheEndPacketFinishesNothing)
{
    // An "O" or a "K" changed into "Z" on the line: the loader keeps its packet, the
    // upload waits, sends the packet again and goes on to the end.
    for (const int atByte : {5, 10}) {
        SCOPED_TRACE(atByte);
        LegacyRig rig;
        rig.start();
        rig.loader().faults.endAtByte = atByte;
        ASSERT_TRUE(rig.runToEnd());
        EXPECT_EQ(rig.upload->state(), LegacyUpload::State::Finished);
        expectProgramInFlash(rig);
        ASSERT_FALSE(rig.loader().packets.isEmpty());
        EXPECT_EQ(rig.loader().packets.last(), QByteArray(1, char(0x55)) + QByteArray(9, char(0xFF)));
        EXPECT_EQ(rig.messages.messages, QStringList{rig.message(28)});
    }
}

TEST(LegacyUpload, EachFailureEndsWithItsWordAndMessage)
{
    struct Case {
        const char *name;
        bool acceptsF;
        std::function<void(LegacyRig &)> inject;
        QString word;
        std::function<QString(LegacyRig &)> message;
    };
    const Case cases[] = {
        {"the loader never answers", true, [](LegacyRig &r) { r.loader().faults.ignoredConnects = -1; },
         QStringLiteral("Error conection"),
         [](LegacyRig &r) { return r.message(38) + QStringLiteral("\r\n") + r.message(39); }},
        {"no F before x", false, [](LegacyRig &) {}, QStringLiteral("Error conection"),
         [](LegacyRig &r) { return r.message(38) + QStringLiteral("\r\n") + r.message(39); }},
        {"E", true, [](LegacyRig &r) { r.loader().faults.errorAtByte = 5; }, QStringLiteral("ERROR"),
         [](LegacyRig &r) { return r.texts.text(QStringLiteral("Firmware"), 6); }},
        {"silence after Y", true, [](LegacyRig &r) { r.loader().faults.mute = true; }, QStringLiteral("ERROR/TIME"),
         [](LegacyRig &r) { return r.message(30); }},
        {"the cable pulled", true,
         [](LegacyRig &r) {
             r.clock.schedule(r.clock.now() + std::chrono::milliseconds(50), [&r] { r.link.setUnplugged(true); });
         },
         QStringLiteral("ERROR/TIME"), [](LegacyRig &r) { return r.message(30); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LegacyRig rig;
        rig.start(c.acceptsF);
        if (rig.device.legacyLoader())
            c.inject(rig);
        ASSERT_TRUE(rig.runToEnd());
        EXPECT_EQ(rig.upload->state(), LegacyUpload::State::Failed);
        EXPECT_EQ(rig.view.statuses.last(), c.word);
        EXPECT_EQ(rig.messages.messages, QStringList{c.message(rig)});
        EXPECT_FALSE(rig.view.success);
        EXPECT_EQ(rig.view.log.at(rig.view.log.size() - 3), c.word);
    }
}

TEST(LegacyUpload, StoppingTheWindowStopsTheUpload)
{
    LegacyRig rig;
    rig.start();
    rig.clock.advanceBy(std::chrono::milliseconds(30));
    rig.upload->stop();
    const int packets = int(rig.loader().packets.size());
    rig.clock.advanceBy(std::chrono::seconds(5));
    EXPECT_EQ(rig.upload->state(), LegacyUpload::State::Stopped);
    EXPECT_EQ(rig.loader().packets.size(), packets);
    EXPECT_EQ(rig.view.endings, 0);
}

}  // namespace
