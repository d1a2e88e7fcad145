#include "fuzz_check.h"

#include "core/phone/phone_rules.h"

// The phone page's requests: where each ends as its bytes come in (whole or one by one, the
// same verdict), and what a body means as an entry or a timer's stop. An entry the parser
// accepts is one the desktop would keep.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);

    phone::RequestFraming whole, pieces;
    const auto verdict = whole.feed(bytes);
    auto last = phone::RequestFraming::Verdict::Ok;
    for (qsizetype at = 0; at < bytes.size(); at += 7)
        last = pieces.feed(bytes.mid(at, 7));
    require(verdict == last, "the framing's verdict depends on how the bytes arrive");

    const QDateTime now(QDate(2026, 12, 8), QTime(3, 10, 20));
    const phone::BodyEntry entry = phone::entryOfBody(bytes, now, QStringLiteral("スマホ"));
    require(bool(entry.entry) != !entry.error.isEmpty(), "a body is an entry or an error");
    if (entry.entry) {
        require(care::checkEntry(*entry.entry).isEmpty(), "an accepted entry fails the desktop's check");
        require(entry.entry->id.startsWith(QStringLiteral("p-")) && entry.entry->id.size() == 14,
                "a phone's id");
        const phone::BodyEntry stopped = phone::stoppedOfBody(bytes, {*entry.entry}, now.addSecs(600));
        require(!stopped.entry || !stopped.entry->running, "a stop leaves the timer running");
    }
    return 0;
}
