#include "platform/cd/CdStreamVolumes.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>

#include <pulse/context.h>
#include <pulse/ext-stream-restore.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/volume.h>

#include <algorithm>

namespace sondex::cd {

namespace {

static_assert(kFullVolume == PA_VOLUME_NORM);

constexpr char kRestoreIdProperty[] = "module-stream-restore.id";
constexpr char kDefaultSink[] = "@DEFAULT_SINK@";

StreamVolume volumeOf(const pa_cvolume& volume, bool hasVolume, bool muted) {
    StreamVolume v;
    v.hasVolume = hasVolume && volume.channels > 0;
    if (v.hasVolume) {
        v.lowest = pa_cvolume_min(&volume);
        v.highest = pa_cvolume_max(&volume);
    }
    v.muted = muted;
    return v;
}

pa_cvolume fullVolume(uint8_t channels) {
    pa_cvolume v;
    pa_cvolume_init(&v);
    if (channels > 0) pa_cvolume_set(&v, channels, PA_VOLUME_NORM);
    return v;
}

struct StoredEntry {
    pa_channel_map map;
    QByteArray device;
    StreamVolume volume;
};

struct EntrySearch {
    QByteArray name;
    std::optional<StoredEntry> found;
};

void onEntry(pa_context*, const pa_ext_stream_restore_info* info, int eol, void* data) {
    auto* search = static_cast<EntrySearch*>(data);
    if (eol != 0 || !info || !info->name || search->found || search->name != info->name) return;
    search->found = StoredEntry{info->channel_map, QByteArray(info->device ? info->device : ""),
                                volumeOf(info->volume, true, info->mute != 0)};
}

struct SinkInput {
    uint32_t index;
    pa_cvolume volume;
    bool hasVolume;
    bool volumeWritable;
    bool muted;
};

struct SinkInputSearch {
    QByteArray id;
    QList<SinkInput> found;
};

void onSinkInput(pa_context*, const pa_sink_input_info* info, int eol, void* data) {
    auto* search = static_cast<SinkInputSearch*>(data);
    if (eol != 0 || !info) return;
    const char* id = pa_proplist_gets(info->proplist, kRestoreIdProperty);
    if (!id || search->id != id) return;
    search->found.append({info->index, info->volume, info->has_volume != 0,
                          info->volume_writable != 0, info->mute != 0});
}

void onSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    if (eol == 0 && info) *static_cast<std::optional<bool>*>(data) = info->mute != 0;
}

void onSuccess(pa_context*, int success, void* data) {
    *static_cast<int*>(data) = success;
}

// A plain main loop run on the caller's thread, step by step, never past the deadline.
class PulseCdStreamVolumes final : public CdStreamVolumes {
public:
    explicit PulseCdStreamVolumes(int timeoutMs) : timeoutMs_(timeoutMs) {}

    ~PulseCdStreamVolumes() override {
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        if (loop_) pa_mainloop_free(loop_);
    }

    PulseCdStreamVolumes(const PulseCdStreamVolumes&) = delete;
    PulseCdStreamVolumes& operator=(const PulseCdStreamVolumes&) = delete;

    std::optional<StreamVolume> storedVolume(QChar letter) override {
        const std::optional<StoredEntry> entry = readEntry(letter);
        if (!entry) return std::nullopt;
        return entry->volume;
    }

    bool storeFullVolume(QChar letter) override {
        if (!ready()) return false;
        const std::optional<StoredEntry> entry = readEntry(letter);
        const QByteArray name = unitStreamId(letter).toUtf8();
        pa_ext_stream_restore_info info{};
        info.name = name.constData();
        pa_channel_map_init(&info.channel_map);
        if (entry) info.channel_map = entry->map;
        // An entry that keeps the mute alone stays without a volume.
        info.volume = fullVolume(entry && entry->volume.hasVolume ? entry->map.channels : 0);
        info.device = entry && !entry->device.isEmpty() ? entry->device.constData() : nullptr;
        info.mute = 0;
        int success = -1;
        return finish(pa_ext_stream_restore_write(context_, PA_UPDATE_REPLACE, &info, 1, 1,
                                                  onSuccess, &success)) &&
               success > 0;
    }

    std::optional<StreamVolume> playingVolume(QChar letter) override {
        const QList<SinkInput> inputs = playing(letter);
        if (inputs.isEmpty()) return std::nullopt;
        const SinkInput& input = inputs.front();
        return volumeOf(input.volume, input.hasVolume, input.muted);
    }

    bool setPlayingFullVolume(QChar letter) override {
        if (!ready()) return false;
        bool ok = true;
        for (const SinkInput& input : playing(letter)) {
            if (input.hasVolume && input.volumeWritable) {
                const pa_cvolume full = fullVolume(input.volume.channels);
                int success = -1;
                ok = finish(pa_context_set_sink_input_volume(context_, input.index, &full,
                                                             onSuccess, &success)) &&
                     success > 0 && ok;
            }
            int success = -1;
            ok = finish(pa_context_set_sink_input_mute(context_, input.index, 0, onSuccess,
                                                       &success)) &&
                 success > 0 && ok;
        }
        return ok;
    }

    std::optional<bool> defaultSinkMuted() override {
        std::optional<bool> muted;
        if (!ready() ||
            !finish(pa_context_get_sink_info_by_name(context_, kDefaultSink, onSink, &muted)))
            return std::nullopt;
        return muted;
    }

    bool unmuteDefaultSink() override {
        int success = -1;
        return ready() &&
               finish(pa_context_set_sink_mute_by_name(context_, kDefaultSink, 0, onSuccess,
                                                       &success)) &&
               success > 0;
    }

private:
    // Connects on the first call, so that a command that asks nothing waits for nothing.
    bool ready() {
        if (!deadline_) connect();
        return context_ && pa_context_get_state(context_) == PA_CONTEXT_READY;
    }

    void connect() {
        deadline_ = QDeadlineTimer(timeoutMs_);
        loop_ = pa_mainloop_new();
        if (!loop_) return;
        context_ = pa_context_new(pa_mainloop_get_api(loop_), "SONDEX");
        if (!context_ || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        runUntil([this] {
            const pa_context_state_t state = pa_context_get_state(context_);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
    }

    template <typename Done>
    bool runUntil(Done done) {
        while (!done()) {
            const qint64 left = deadline_->remainingTime();
            if (left <= 0) return false;
            const int microseconds = int(std::min<qint64>(left, 60'000) * 1000);
            if (pa_mainloop_prepare(loop_, microseconds) < 0 || pa_mainloop_poll(loop_) < 0 ||
                pa_mainloop_dispatch(loop_) < 0)
                return false;
        }
        return true;
    }

    // Waits for the operation; one the deadline cuts short is cancelled.
    bool finish(pa_operation* operation) {
        if (!operation) return false;
        const bool done = runUntil(
            [operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
        const bool ok = done && pa_operation_get_state(operation) == PA_OPERATION_DONE;
        if (!done) pa_operation_cancel(operation);
        pa_operation_unref(operation);
        return ok;
    }

    std::optional<StoredEntry> readEntry(QChar letter) {
        EntrySearch search{unitStreamId(letter).toUtf8(), std::nullopt};
        if (!ready() || !finish(pa_ext_stream_restore_read(context_, onEntry, &search)))
            return std::nullopt;
        return search.found;
    }

    QList<SinkInput> playing(QChar letter) {
        SinkInputSearch search{unitStreamId(letter).toUtf8(), {}};
        if (!ready() ||
            !finish(pa_context_get_sink_input_info_list(context_, onSinkInput, &search)))
            return {};
        return search.found;
    }

    int timeoutMs_;
    std::optional<QDeadlineTimer> deadline_;
    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
};

}  // namespace

QString unitStreamId(QChar letter) {
    return QStringLiteral("sondex-cd-") + letter.toUpper();
}

std::unique_ptr<CdStreamVolumes> connectCdStreamVolumes(int timeoutMs) {
    return std::make_unique<PulseCdStreamVolumes>(timeoutMs);
}

}  // namespace sondex::cd
