#pragma once

#include <QObject>
#include <QQueue>
#include <QString>

class PulseLibrary;
struct pa_context;
struct pa_threaded_mainloop;

// The default sink of the sound server (PulseAudio, or PipeWire through its PulseAudio service)
// through libpulse with a threaded main loop of its own.
//
// Nothing here waits for the server: every request is queued on the loop's thread and answered
// by a signal, which reaches receivers on their own threads through queued connections. The
// connection is made at construction and made again by the next request once it has failed, so
// a server that starts later is found. With no server or no default sink, reads answer found =
// false and a reason, writes answer the reason; nothing is retried on its own. Without libpulse
// (it is opened on first use, see PulseLibrary) every request is answered so, with the loader's
// reason.
//
// Volumes are scalars from 0.0 (silent) to 1.0 (the sink's normal volume, 100%). A sink above
// its normal volume (the server allows up to 150%) reads as 1.0.
//
// Create, call and delete from one thread; the signals are emitted from the loop's thread.
class PulseAudioMixer : public QObject {
    Q_OBJECT
public:
    // Levels below this mute the sink instead of setting its volume.
    static constexpr double silentLevel = 0.001;

    explicit PulseAudioMixer(QObject* parent = nullptr);
    ~PulseAudioMixer() override;

    // Asks for the default sink's volume; answered by masterVolumeRead.
    void requestMasterVolume();
    // Sets the default sink: a level below silentLevel mutes it and leaves its volume alone; any
    // other level from 0.0 to 1.0 becomes its volume (keeping the balance between channels) and
    // unmutes it. A level outside 0.0 to 1.0 is ignored. Answered by masterVolumeWritten.
    void setMasterVolume(double level);

Q_SIGNALS:
    // `sinkIndex` is the server's index of the default sink (0 is a valid index); with found
    // false the volume is 0.0 and `error` says why.
    void masterVolumeRead(bool found, double volume, bool muted, uint sinkIndex,
                          const QString& error);
    // An empty error when every step succeeded.
    void masterVolumeWritten(const QString& error);
    // A sink or the server's choice of default sink changed (also after our own writes).
    void sinkChanged();

private:
    void connectToServer();
    bool isReady() const;
    void sendPending();
    void failPending(const QString& error);
    void answerLater(int reads, qsizetype writes, const QString& error);
    QString startError() const;
    QString contextError() const;

    // The libpulse callbacks, run on the loop's thread with its lock held.
    struct Callbacks;
    friend struct Callbacks;

    const PulseLibrary& m_pulse;
    pa_threaded_mainloop* m_mainloop = nullptr;
    pa_context* m_context = nullptr;
    // Guarded by the main loop's lock.
    int m_pendingReads = 0;         // not yet sent: waiting for the connection
    int m_sentReads = 0;            // sent: waiting for the answer
    QQueue<double> m_pendingWrites; // not yet sent: waiting for the connection
    QQueue<double> m_sentWrites;    // sent: waiting for the sink's description
    QString m_writeError;
};
