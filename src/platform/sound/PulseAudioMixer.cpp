#include "platform/sound/PulseAudioMixer.h"

#include "platform/sound/PulseLibrary.h"

#include <QCoreApplication>
#include <QDebug>

#include <cmath>

namespace {

// The server resolves this name to whichever sink is the default at the time of the request.
constexpr const char* defaultSink = "@DEFAULT_SINK@";

// Locks the loop for the scope (from any thread but the loop's own).
class LoopLock {
public:
    LoopLock(const PulseLibrary& pulse, pa_threaded_mainloop* loop) : m_pulse(pulse), m_loop(loop)
    {
        m_pulse.pa_threaded_mainloop_lock(m_loop);
    }
    ~LoopLock() { m_pulse.pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    const PulseLibrary& m_pulse;
    pa_threaded_mainloop* m_loop;
};

} // namespace

struct PulseAudioMixer::Callbacks {
    static void stateChanged(pa_context* context, void* data)
    {
        auto* self = static_cast<PulseAudioMixer*>(data);
        if (context != self->m_context)
            return;
        switch (self->m_pulse.pa_context_get_state(context)) {
        case PA_CONTEXT_READY: {
            self->m_pulse.pa_context_set_subscribe_callback(context, &Callbacks::subscriptionEvent,
                                                            self);
            const auto mask =
                pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER);
            if (pa_operation* operation =
                    self->m_pulse.pa_context_subscribe(context, mask, nullptr, nullptr))
                self->m_pulse.pa_operation_unref(operation);
            self->sendPending();
            break;
        }
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            self->failPending(QCoreApplication::translate("PulseAudioMixer",
                                                          "The sound server is not reachable: %1")
                                  .arg(self->contextError()));
            break;
        default:
            break;
        }
    }

    static void subscriptionEvent(pa_context*, pa_subscription_event_type_t, uint32_t, void* data)
    {
        Q_EMIT static_cast<PulseAudioMixer*>(data)->sinkChanged();
    }

    static void sinkInfoForRead(pa_context*, const pa_sink_info* info, int eol, void* data)
    {
        auto* self = static_cast<PulseAudioMixer*>(data);
        if (eol > 0)
            return;
        self->m_sentReads = std::max(0, self->m_sentReads - 1);
        if (eol < 0 || !info) {
            qWarning("Cannot find default output device!");
            Q_EMIT self->masterVolumeRead(
                false, 0.0, false, 0,
                QCoreApplication::translate("PulseAudioMixer",
                                            "The sound server has no default output device: %1")
                    .arg(self->contextError()));
            return;
        }
        double volume = 0.0;
        if (self->m_pulse.pa_cvolume_valid(&info->volume)) {
            volume = double(self->m_pulse.pa_cvolume_max(&info->volume)) / double(PA_VOLUME_NORM);
            // Above the sink's normal volume the control is simply full.
            volume = std::min(volume, 1.0);
        } else {
            qWarning("No volume returned for device 0x%0x", info->index);
        }
        Q_EMIT self->masterVolumeRead(true, volume, info->mute != 0, info->index, QString());
    }

    static void sinkInfoForWrite(pa_context* context, const pa_sink_info* info, int eol, void* data)
    {
        auto* self = static_cast<PulseAudioMixer*>(data);
        if (eol > 0)
            return;
        const double level = self->m_sentWrites.isEmpty() ? 0.0 : self->m_sentWrites.dequeue();
        if (eol < 0 || !info) {
            qWarning("Cannot find default output device!");
            Q_EMIT self->masterVolumeWritten(
                QCoreApplication::translate("PulseAudioMixer",
                                            "The sound server has no default output device: %1")
                    .arg(self->contextError()));
            return;
        }
        self->m_writeError.clear();
        if (level < silentLevel) {
            if (pa_operation* operation = self->m_pulse.pa_context_set_sink_mute_by_index(
                    context, info->index, 1, &muteSet, self))
                self->m_pulse.pa_operation_unref(operation);
            return;
        }
        pa_cvolume volume = info->volume;
        if (!self->m_pulse.pa_cvolume_valid(&volume))
            self->m_pulse.pa_cvolume_set(&volume, info->sample_spec.channels, PA_VOLUME_NORM);
        const auto target = pa_volume_t(std::lround(level * double(PA_VOLUME_NORM)));
        self->m_pulse.pa_cvolume_scale(&volume, target);
        if (pa_operation* operation = self->m_pulse.pa_context_set_sink_volume_by_index(
                context, info->index, &volume, &volumeSet, self))
            self->m_pulse.pa_operation_unref(operation);
        // Every change of the volume also unmutes; the server runs the two in order.
        if (pa_operation* operation = self->m_pulse.pa_context_set_sink_mute_by_index(
                context, info->index, 0, &muteSet, self))
            self->m_pulse.pa_operation_unref(operation);
    }

    static void volumeSet(pa_context*, int success, void* data)
    {
        auto* self = static_cast<PulseAudioMixer*>(data);
        if (!success) {
            self->m_writeError = QCoreApplication::translate("PulseAudioMixer",
                                                             "Unable to set the output volume: %1")
                                     .arg(self->contextError());
            qWarning().noquote() << self->m_writeError;
        }
    }

    static void muteSet(pa_context*, int success, void* data)
    {
        auto* self = static_cast<PulseAudioMixer*>(data);
        if (!success && self->m_writeError.isEmpty()) {
            self->m_writeError = QCoreApplication::translate(
                                     "PulseAudioMixer", "Unable to set the output mute state: %1")
                                     .arg(self->contextError());
            qWarning().noquote() << self->m_writeError;
        }
        Q_EMIT self->masterVolumeWritten(self->m_writeError);
    }
};

PulseAudioMixer::PulseAudioMixer(QObject* parent)
    : QObject(parent), m_pulse(PulseLibrary::instance())
{
    if (!m_pulse.isLoaded())
        return;
    m_mainloop = m_pulse.pa_threaded_mainloop_new();
    if (!m_mainloop)
        return;
    m_pulse.pa_threaded_mainloop_set_name(m_mainloop, "corvella-pulse");
    if (m_pulse.pa_threaded_mainloop_start(m_mainloop) < 0) {
        m_pulse.pa_threaded_mainloop_free(m_mainloop);
        m_mainloop = nullptr;
        return;
    }
    const LoopLock lock(m_pulse, m_mainloop);
    connectToServer();
}

PulseAudioMixer::~PulseAudioMixer()
{
    if (!m_mainloop)
        return;
    {
        const LoopLock lock(m_pulse, m_mainloop);
        if (m_context) {
            m_pulse.pa_context_set_state_callback(m_context, nullptr, nullptr);
            m_pulse.pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
            m_pulse.pa_context_disconnect(m_context);
            m_pulse.pa_context_unref(m_context);
            m_context = nullptr;
        }
    }
    m_pulse.pa_threaded_mainloop_stop(m_mainloop);
    m_pulse.pa_threaded_mainloop_free(m_mainloop);
}

void PulseAudioMixer::requestMasterVolume()
{
    if (!m_mainloop) {
        answerLater(1, 0, startError());
        return;
    }
    const LoopLock lock(m_pulse, m_mainloop);
    ++m_pendingReads;
    if (isReady())
        sendPending();
    else if (!m_context || !PA_CONTEXT_IS_GOOD(m_pulse.pa_context_get_state(m_context)))
        connectToServer();
}

void PulseAudioMixer::setMasterVolume(double level)
{
    if (!(level >= 0.0 && level <= 1.0))
        return;
    if (!m_mainloop) {
        answerLater(0, 1, startError());
        return;
    }
    const LoopLock lock(m_pulse, m_mainloop);
    m_pendingWrites.enqueue(level);
    if (isReady())
        sendPending();
    else if (!m_context || !PA_CONTEXT_IS_GOOD(m_pulse.pa_context_get_state(m_context)))
        connectToServer();
}

// Called with the loop locked.
void PulseAudioMixer::connectToServer()
{
    if (m_context) {
        m_pulse.pa_context_set_state_callback(m_context, nullptr, nullptr);
        m_pulse.pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
        m_pulse.pa_context_disconnect(m_context);
        m_pulse.pa_context_unref(m_context);
    }
    m_context =
        m_pulse.pa_context_new(m_pulse.pa_threaded_mainloop_get_api(m_mainloop), "Corvella");
    if (!m_context) {
        failPending(QCoreApplication::translate("PulseAudioMixer",
                                                "The sound library could not make a connection."));
        return;
    }
    m_pulse.pa_context_set_state_callback(m_context, &Callbacks::stateChanged, this);
    // Never start a server of our own: a stopped server stays stopped and is reported as such.
    if (m_pulse.pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        failPending(
            QCoreApplication::translate("PulseAudioMixer", "The sound server is not reachable: %1")
                .arg(contextError()));
}

bool PulseAudioMixer::isReady() const
{
    return m_context && m_pulse.pa_context_get_state(m_context) == PA_CONTEXT_READY;
}

// Called with the loop locked and the context ready.
void PulseAudioMixer::sendPending()
{
    for (; m_pendingReads > 0; --m_pendingReads) {
        pa_operation* operation = m_pulse.pa_context_get_sink_info_by_name(
            m_context, defaultSink, &Callbacks::sinkInfoForRead, this);
        if (!operation) {
            answerLater(1, 0,
                        QCoreApplication::translate("PulseAudioMixer",
                                                    "The sound server refused the request: %1")
                            .arg(contextError()));
            continue;
        }
        ++m_sentReads;
        m_pulse.pa_operation_unref(operation);
    }
    while (!m_pendingWrites.isEmpty()) {
        m_sentWrites.enqueue(m_pendingWrites.dequeue());
        pa_operation* operation = m_pulse.pa_context_get_sink_info_by_name(
            m_context, defaultSink, &Callbacks::sinkInfoForWrite, this);
        if (!operation) {
            m_sentWrites.removeLast();
            answerLater(0, 1,
                        QCoreApplication::translate("PulseAudioMixer",
                                                    "The sound server refused the request: %1")
                            .arg(contextError()));
            continue;
        }
        m_pulse.pa_operation_unref(operation);
    }
}

// Called with the loop locked: answers every request that can no longer be sent.
void PulseAudioMixer::failPending(const QString& error)
{
    const int reads = m_pendingReads + m_sentReads;
    m_pendingReads = 0;
    m_sentReads = 0;
    const qsizetype writes = m_pendingWrites.size() + m_sentWrites.size();
    m_pendingWrites.clear();
    m_sentWrites.clear();
    answerLater(reads, writes, error);
}

// Queued, so that a failure found inside a request is never answered from inside it.
void PulseAudioMixer::answerLater(int reads, qsizetype writes, const QString& error)
{
    QMetaObject::invokeMethod(
        this,
        [this, reads, writes, error] {
            for (int index = 0; index < reads; ++index)
                Q_EMIT masterVolumeRead(false, 0.0, false, 0, error);
            for (qsizetype index = 0; index < writes; ++index)
                Q_EMIT masterVolumeWritten(error);
        },
        Qt::QueuedConnection);
}

// Why there is no main loop: the sound library is missing, or it could not start its thread.
QString PulseAudioMixer::startError() const
{
    if (!m_pulse.isLoaded())
        return QCoreApplication::translate("PulseAudioMixer",
                                           "The sound server is not reachable: %1")
            .arg(m_pulse.errorString());
    return QCoreApplication::translate("PulseAudioMixer",
                                       "The sound library could not start its thread.");
}

QString PulseAudioMixer::contextError() const
{
    return QString::fromUtf8(
        m_pulse.pa_strerror(m_context ? m_pulse.pa_context_errno(m_context) : PA_ERR_UNKNOWN));
}
