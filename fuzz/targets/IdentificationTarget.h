#pragma once

// Identification replies: taken whole from a scripted cable and parsed as the
// command-line tool does it, and parsed as the window's device poll does it for
// each model selected.
//
// Input: a flags byte (bits 0-1 the model selected for the poll, bits 2-3 the bytes
// the device sends per 2 ms, bit 4 a pause in the middle of each reply), a length
// byte (the first reply's length, modulo 48), the reply to "V", the reply to "v".

#include "FuzzSupport.h"

#include "app/LanguageTable.h"
#include "link/LinkPort.h"
#include "protocol/CommandExchange.h"
#include "protocol/Identification.h"
#include "protocol/WholeReply.h"

#include <QHash>

#include <algorithm>

namespace ostrakel::fuzz {

// A device that answers each request byte with its reply, a few bytes per tick.
class ScriptedLink : public LinkPort {
public:
    QHash<quint8, QByteArray> replies;
    int bytesPerTick = 1;
    bool pauseHalfway = false;

    void tick()
    {
        if (pauseTicks_ > 0) {
            --pauseTicks_;
            return;
        }
        const qsizetype count = std::min<qsizetype>(bytesPerTick, pending_.size());
        waiting_ += pending_.left(count);
        pending_.remove(0, count);
        sent_ += count;
        if (pauseHalfway && !paused_ && sent_ >= replyLength_ / 2) {
            paused_ = true;
            pauseTicks_ = 25;  // 50 ms: longer than the quiet time that ends a reply
        }
    }

    LinkKind kind() const override { return LinkKind::Simulator; }
    bool isPolled() const override { return true; }
    bool open() override { return open_ = true; }
    bool isOpen() const override { return open_; }
    int bytesWaiting() override { return int(waiting_.size()); }
    QByteArray readAll() override
    {
        const QByteArray all = waiting_;
        waiting_.clear();
        return all;
    }
    std::optional<quint8> readByte() override
    {
        if (waiting_.isEmpty())
            return std::nullopt;
        const quint8 first = quint8(waiting_[0]);
        waiting_.remove(0, 1);
        return first;
    }
    bool writeByte(quint8 byte) override
    {
        pending_ = replies.value(byte);
        replyLength_ = pending_.size();
        sent_ = 0;
        paused_ = false;
        pauseTicks_ = 0;
        return true;
    }
    bool writeText(const QByteArray &text) override
    {
        for (const char byte : text)
            writeByte(quint8(byte));
        return !text.isEmpty();
    }
    int bytesPending() override { return 0; }
    void close() override { open_ = false; }

private:
    bool open_ = false;
    QByteArray pending_;
    QByteArray waiting_;
    qsizetype replyLength_ = 0;
    qsizetype sent_ = 0;
    bool paused_ = false;
    int pauseTicks_ = 0;
};

// Virtual time: every wait lets the scripted device send.
class ScriptedClock : public Clock {
public:
    explicit ScriptedClock(ScriptedLink &link) : link_(link) {}
    Nanos now() const override { return now_; }
    void wait(Millis duration) override
    {
        now_ += duration;
        link_.tick();
    }
    std::unique_ptr<TickTimer> createTimer(Millis, std::function<void()>) override
    {
        struct Idle : TickTimer {
            void start() override {}
            void stop() override {}
            bool isActive() const override { return false; }
        };
        return std::make_unique<Idle>();
    }

private:
    ScriptedLink &link_;
    Nanos now_{0};
};

class CheckingView : public IdentificationView {
public:
    void setDeviceMenuCaption(const QString &caption) override { OSTRAKEL_FUZZ_CHECK(!caption.isEmpty()); }
    void showModelSelector(bool) override {}
};

inline void checkDeviceInfo(const DeviceInfo &info)
{
    const QString &type = info.deviceType;
    OSTRAKEL_FUZZ_CHECK(type.isEmpty() || type == u"Alarm" || type == u"Option" || type == u"Switch"
                        || type == u"Talker");
}

inline void identificationTarget(const std::uint8_t *data, std::size_t size)
{
    static const LanguageTable texts;
    InputReader input(bytesOf(data, size));
    const quint8 flags = input.byte();
    const QByteArray first = input.take(input.byte() % 48);
    const QByteArray second = input.take(48);

    // The command-line tool: whole replies, their lengths decide the model.
    {
        ScriptedLink link;
        link.replies.insert('V', first);
        link.replies.insert('v', second);
        link.bytesPerTick = 1 + (flags >> 2 & 3);
        link.pauseHalfway = flags & 0x10;
        ScriptedClock clock(link);
        CheckingView view;
        Identification identification(texts, nullptr, &view);
        const QByteArray reply = takeWholeReply(link, clock, 'V', CommandExchange::usbTimeout);
        OSTRAKEL_FUZZ_CHECK(reply.size() <= first.size());
        if (reply.size() == 13 || reply.size() == 19) {
            identification.modelFlags().select(reply.size() == 19 ? CommunicatorModel::TkvC2
                                                                  : CommunicatorModel::TkvC);
            identification.parseIdentification(reply);
            if (identification.modelFlags().tkvC3) {
                const QByteArray c3Reply = takeWholeReply(link, clock, 'v', CommandExchange::usbTimeout);
                OSTRAKEL_FUZZ_CHECK(c3Reply.size() <= second.size());
                if (c3Reply.size() == 34)
                    identification.parseIdentification(c3Reply);
            }
            checkDeviceInfo(identification.deviceInfo());
            identification.logConnectionSummary();
        }
    }

    // The device poll: the reply to the model's request, then the next one (after a
    // "V" value of 99 the model has changed to the TKV-C3), then a silent poll.
    {
        CheckingView view;
        Identification identification(texts, nullptr, &view);
        identification.onModelChange = [&identification](CommunicatorModel model) {
            OSTRAKEL_FUZZ_CHECK(identification.modelFlags().model() == model);
        };
        identification.modelFlags().select(CommunicatorModel(std::min(flags & 3, 2)));
        identification.parseIdentification(first);
        checkDeviceInfo(identification.deviceInfo());
        identification.finishDevicePoll();
        identification.parseIdentification(second);
        checkDeviceInfo(identification.deviceInfo());
        identification.finishDevicePoll();
        identification.finishDevicePoll();
        OSTRAKEL_FUZZ_CHECK(identification.deviceInfo().deviceType.isEmpty());
    }
}

}  // namespace ostrakel::fuzz
