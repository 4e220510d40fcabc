#include "platform/mci/MidiFile.h"

#include <QtEndian>
#include <QtNumeric>

#include <algorithm>
#include <optional>

namespace sondex::mci::midi {

namespace {

constexpr qint64 kDefaultTempo = 500'000;  // microseconds per quarter note
constexpr quint8 kTempoMark = 0xFF;        // an item that changes the tempo
constexpr quint8 kTrackEndMark = 0x00;     // an item where a track ends
constexpr quint8 kMetaEndOfTrack = 0x2F;
constexpr quint8 kMetaTempo = 0x51;
constexpr int kChunkHeaderBytes = 8;
constexpr int kLongestNumberBytes = 4;

quint32 be32(const char* p) { return qFromBigEndian<quint32>(p); }
quint16 be16(const char* p) { return qFromBigEndian<quint16>(p); }

// What a track holds before its times are known: the playable events, the
// tempo changes and where the track ends, each at its tick.
struct TickedItem {
    qint64 tick = 0;
    quint32 value = 0;  // the sysex index, or the tempo of a tempo mark
    quint8 status = 0;
    quint8 data1 = 0;
    quint8 data2 = 0;
    bool playable() const { return status >= 0x80 && status != kTempoMark; }
};

// Microseconds per tick as a fraction: numerator (the tempo, for ticks per
// quarter note) over denominator.
struct Timing {
    qint64 perTick = 0;
    qint64 denominator = 1;
    bool followsTempo = false;
};

std::optional<Timing> timingOf(quint16 division) {
    if (!(division & 0x8000)) {
        if (division == 0) return std::nullopt;
        return Timing{kDefaultTempo, division, true};
    }
    const int framesPerSecond = -qint8(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (ticksPerFrame == 0) return std::nullopt;
    switch (framesPerSecond) {
    case 24:
    case 25:
    case 30: return Timing{1'000'000, qint64(framesPerSecond) * ticksPerFrame, false};
    case 29: return Timing{1'001'000, qint64(30) * ticksPerFrame, false};  // 30 drop frame: 29.97
    default: return std::nullopt;
    }
}

// Reads the items of all tracks, in file order.
class TrackReader {
public:
    TrackReader(QList<TickedItem>& items, MidiSong& song) : items_(items), song_(song) {}

    struct Outcome {
        MidiError error = MidiError::None;
        bool cut = false;
    };

    // Reads one track chunk's contents. Each pass of the loop reads at least
    // one byte, so no bytes can keep it going.
    Outcome read(QByteArrayView chunk) {
        data_ = reinterpret_cast<const uchar*>(chunk.data());
        pos_ = 0;
        end_ = chunk.size();
        qint64 tick = 0;
        qint64 lastWhole = 0;  // the tick of the last event read whole
        quint8 running = 0;
        while (pos_ < end_) {
            quint32 delta = 0;
            if (const Outcome o = number(delta); o.error != MidiError::None || o.cut)
                return finish(o, lastWhole);
            if (qAddOverflow(tick, qint64(delta), &tick)) return {MidiError::TooLong};
            if (pos_ >= end_) return finish({MidiError::None, true}, lastWhole);
            quint8 status = data_[pos_];
            if (status < 0x80) {
                // Running status: a channel message's status holds on, across
                // meta and system exclusive events too.
                if (running == 0) return {MidiError::NoRunningStatus};
                status = running;
            } else {
                ++pos_;
            }
            Outcome o;
            bool endOfTrack = false;
            if (status < 0xF0) {
                o = channelMessage(tick, status);
                running = status;
            } else if (status == 0xF0 || status == 0xF7) {
                o = systemExclusive(tick, status);
            } else if (status == 0xFF) {
                o = meta(tick, endOfTrack);
            } else {
                return {MidiError::BadStatus};
            }
            if (o.error != MidiError::None || o.cut) return finish(o, lastWhole);
            lastWhole = tick;
            if (endOfTrack) break;
        }
        return finish({}, lastWhole);
    }

    qsizetype playableCount() const { return playable_; }

private:
    Outcome finish(Outcome outcome, qint64 endTick) {
        if (outcome.error != MidiError::None) return outcome;
        if (!push({endTick, 0, kTrackEndMark})) return {MidiError::TooManyEvents};
        return outcome;
    }

    bool push(const TickedItem& item) {
        if (items_.size() >= kMaxEvents) return false;
        items_.append(item);
        if (item.playable()) ++playable_;
        return true;
    }

    Outcome number(quint32& value) {
        value = 0;
        for (int i = 0; i < kLongestNumberBytes; ++i) {
            if (pos_ >= end_) return {MidiError::None, true};
            const uchar byte = data_[pos_++];
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80)) return {};
        }
        return {MidiError::LongNumber};
    }

    Outcome channelMessage(qint64 tick, quint8 status) {
        // Program change and channel pressure carry one data byte.
        const int count = (status & 0xE0) == 0xC0 ? 1 : 2;
        if (end_ - pos_ < count) return {MidiError::None, true};
        const quint8 data1 = data_[pos_];
        const quint8 data2 = count == 2 ? data_[pos_ + 1] : 0;
        if ((data1 | data2) & 0x80) return {MidiError::BadStatus};
        pos_ += count;
        if (!push({tick, 0, status, data1, data2})) return {MidiError::TooManyEvents};
        return {};
    }

    Outcome systemExclusive(qint64 tick, quint8 status) {
        quint32 size = 0;
        if (const Outcome o = number(size); o.error != MidiError::None || o.cut) return o;
        if (size > end_ - pos_) return {MidiError::None, true};
        const auto index = quint32(song_.sysexSpans.size());
        if (!push({tick, index, status})) return {MidiError::TooManyEvents};
        song_.sysexSpans.append({song_.sysexBytes.size(), size});
        song_.sysexBytes.append(reinterpret_cast<const char*>(data_ + pos_), size);
        pos_ += size;
        return {};
    }

    Outcome meta(qint64 tick, bool& endOfTrack) {
        if (pos_ >= end_) return {MidiError::None, true};
        const quint8 type = data_[pos_++];
        quint32 size = 0;
        if (const Outcome o = number(size); o.error != MidiError::None || o.cut) return o;
        if (size > end_ - pos_) return {MidiError::None, true};
        if (type == kMetaTempo && size >= 3) {
            const quint32 tempo =
                (quint32(data_[pos_]) << 16) | (data_[pos_ + 1] << 8) | data_[pos_ + 2];
            // A tempo of 0 would put the rest of the song at one instant.
            if (tempo > 0 && !push({tick, tempo, kTempoMark})) return {MidiError::TooManyEvents};
        }
        endOfTrack = type == kMetaEndOfTrack;
        pos_ += size;
        return {};
    }

    QList<TickedItem>& items_;
    MidiSong& song_;
    const uchar* data_ = nullptr;
    qsizetype pos_ = 0;
    qsizetype end_ = 0;
    qsizetype playable_ = 0;
};

// Turns ticks into microseconds along the tempo changes. The time is kept as
// an exact fraction, microseconds times the denominator, so that no rounding
// adds up over a long song.
class Clock {
public:
    explicit Clock(const Timing& timing) : timing_(timing) {}

    // False when the time no longer fits (the caller's limit is far below that).
    bool advanceTo(qint64 tick) {
        qint64 step = 0;
        if (qMulOverflow(tick - tick_, timing_.perTick, &step) ||
            qAddOverflow(scaled_, step, &scaled_))
            return false;
        tick_ = tick;
        return true;
    }

    void setTempo(quint32 microsPerQuarter) {
        if (timing_.followsTempo) timing_.perTick = microsPerQuarter;
    }

    qint64 micros() const { return scaled_ / timing_.denominator; }

private:
    Timing timing_;
    qint64 tick_ = 0;
    qint64 scaled_ = 0;
};

// Places the items of one sequence (tick order) from the given start on.
bool placeSequence(const TickedItem* begin, const TickedItem* end, const Timing& timing,
                   MidiSong& song) {
    const qint64 start = song.lengthMicros;
    Clock clock(timing);
    for (const TickedItem* item = begin; item != end; ++item) {
        if (!clock.advanceTo(item->tick)) return false;
        const qint64 micros = start + clock.micros();
        if (micros > kMaxSongMicros) return false;
        if (item->status == kTempoMark)
            clock.setTempo(item->value);
        else if (item->playable())
            song.events.append({micros, item->status, item->data1, item->data2, item->value});
        song.lengthMicros = qMax(song.lengthMicros, micros);
    }
    return true;
}

// The contents of an RMI file's "data" chunk (cut at the end of the file), if it has one.
std::optional<QByteArrayView> riffData(QByteArrayView bytes) {
    qint64 offset = 12;
    while (offset + kChunkHeaderBytes <= bytes.size()) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.data() + offset + 4);
        const qint64 contents = offset + kChunkHeaderBytes;
        if (bytes.sliced(offset, 4) == "data")
            return bytes.sliced(contents, qMin<qint64>(size, bytes.size() - contents));
        offset = contents + size + (size & 1);
    }
    return std::nullopt;
}

MidiReadResult failure(MidiError error, int track = 0) {
    MidiReadResult result;
    result.error = error;
    result.track = track;
    return result;
}

}  // namespace

QByteArrayView MidiSong::sysexOf(const MidiEvent& event) const {
    if ((event.status != 0xF0 && event.status != 0xF7) || event.sysex >= quint32(sysexSpans.size()))
        return {};
    const Span& span = sysexSpans[event.sysex];
    return QByteArrayView(sysexBytes).sliced(span.offset, span.size);
}

qsizetype MidiSong::firstEventAt(qint64 ms) const {
    if (ms <= 0) return 0;
    const qint64 micros = ms > kMaxSongMicros / 1000 ? kMaxSongMicros + 1 : ms * 1000;
    const auto at = std::lower_bound(events.cbegin(), events.cend(), micros,
                                     [](const MidiEvent& e, qint64 t) { return e.micros < t; });
    return at - events.cbegin();
}

QString MidiReadResult::message() const {
    const auto damaged = [this](const QString& reason) {
        const QString where = track > 0 ? QStringLiteral("トラック%1：").arg(track) : QString();
        return QStringLiteral("ＭＩＤＩファイルが壊れています（%1%2）。").arg(where, reason);
    };
    switch (error) {
    case MidiError::None: return QString();
    case MidiError::NotMidi: return QStringLiteral("ＭＩＤＩファイルではありません。");
    case MidiError::NoMidiData: return QStringLiteral("ＲＭＩファイルにＭＩＤＩデータがありません。");
    case MidiError::ShortHeader: return damaged(QStringLiteral("ヘッダーが短すぎます"));
    case MidiError::UnknownFormat:
        return damaged(QStringLiteral("形式が０、１、２のどれでもありません"));
    case MidiError::NoTracks: return damaged(QStringLiteral("トラックがありません"));
    case MidiError::BadDivision: return damaged(QStringLiteral("時間の単位が正しくありません"));
    case MidiError::LongNumber:
        return damaged(QStringLiteral("４バイトを超える可変長の数値があります"));
    case MidiError::NoRunningStatus:
        return damaged(QStringLiteral("ステータスのないデータバイトがあります"));
    case MidiError::BadStatus: return damaged(QStringLiteral("使えないステータスバイトがあります"));
    case MidiError::NothingPlayable:
        return damaged(QStringLiteral("途中で切れていて、演奏できるところがありません"));
    case MidiError::TooManyEvents:
        return QStringLiteral("ＭＩＤＩファイルのイベントが多すぎます（%1万個まで）。")
            .arg(kMaxEvents / 10'000);
    case MidiError::TooLong:
        return QStringLiteral("ＭＩＤＩファイルの演奏時間が長すぎます（%1時間まで）。")
            .arg(kMaxSongMicros / 3'600'000'000LL);
    }
    return QString();
}

QString truncatedNote() {
    return QStringLiteral("ＭＩＤＩファイルが途中で切れています。読めたところまで演奏します。");
}

MidiReadResult readMidi(QByteArrayView bytes) {
    QByteArrayView smf = bytes;
    if (bytes.startsWith("RIFF")) {
        if (bytes.size() < 12 || bytes.sliced(8, 4) != "RMID") return failure(MidiError::NotMidi);
        const std::optional<QByteArrayView> data = riffData(bytes);
        if (!data) return failure(MidiError::NoMidiData);
        smf = *data;
    }
    if (!smf.startsWith("MThd")) return failure(MidiError::NotMidi);
    constexpr int kHeaderBytes = kChunkHeaderBytes + 6;
    if (smf.size() < kHeaderBytes || be32(smf.data() + 4) < 6)
        return failure(MidiError::ShortHeader);

    MidiReadResult result;
    MidiSong& song = result.song;
    song.format = be16(smf.data() + 8);
    const int declaredTracks = be16(smf.data() + 10);
    song.division = be16(smf.data() + 12);
    if (song.format > 2) return failure(MidiError::UnknownFormat);
    if (declaredTracks == 0) return failure(MidiError::NoTracks);
    const std::optional<Timing> timing = timingOf(song.division);
    if (!timing) return failure(MidiError::BadDivision);

    // Chunks other than "MTrk" are skipped; so are chunks after the counted tracks.
    QList<TickedItem> items;
    QList<qsizetype> trackStarts;
    TrackReader reader(items, song);
    qint64 pos = qMin<qint64>(kChunkHeaderBytes + qint64(be32(smf.data() + 4)), smf.size());
    while (song.trackCount < declaredTracks) {
        if (smf.size() - pos < kChunkHeaderBytes) {
            result.truncated = true;
            break;
        }
        const QByteArrayView id = smf.sliced(pos, 4);
        const qint64 length = be32(smf.data() + pos + 4);
        pos += kChunkHeaderBytes;
        const qint64 available = smf.size() - pos;
        if (id != "MTrk") {
            if (length > available) {
                result.truncated = true;
                break;
            }
            pos += length;
            continue;
        }
        trackStarts.append(items.size());
        ++song.trackCount;
        const TrackReader::Outcome outcome = reader.read(smf.sliced(pos, qMin(length, available)));
        if (outcome.error != MidiError::None) return failure(outcome.error, song.trackCount);
        if (outcome.cut || length > available) result.truncated = true;
        pos += qMin(length, available);
    }
    if (result.truncated && reader.playableCount() == 0) return failure(MidiError::NothingPlayable);

    // Format 0 and 1 play all tracks together, format 2 one after another.
    song.events.reserve(reader.playableCount());
    if (song.format == 2) {
        trackStarts.append(items.size());
        for (qsizetype t = 0; t + 1 < trackStarts.size(); ++t)
            if (!placeSequence(items.constData() + trackStarts[t],
                               items.constData() + trackStarts[t + 1], *timing, song))
                return failure(MidiError::TooLong);
    } else {
        std::stable_sort(items.begin(), items.end(),
                         [](const TickedItem& a, const TickedItem& b) { return a.tick < b.tick; });
        if (!placeSequence(items.constData(), items.constData() + items.size(), *timing, song))
            return failure(MidiError::TooLong);
    }
    return result;
}

}  // namespace sondex::mci::midi
