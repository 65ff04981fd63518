// Wave playback through ALSA. The device is opened non-blocking so that a machine
// without sound returns at once; the short sounds are then written blocking.
#include <alsa/asoundlib.h>

#include <QFile>
#include <cstring>

#include "ui/platform.h"

namespace qv::ui {

namespace {

uint32_t le32(const char* p) {
    return uint8_t(p[0]) | uint8_t(p[1]) << 8 | uint8_t(p[2]) << 16 | uint32_t(uint8_t(p[3])) << 24;
}
uint16_t le16(const char* p) {
    return uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8);
}

// Silences ALSA's own messages on machines without a sound card.
void quiet_handler(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

bool play_wave_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 8 * 1024 * 1024) return false;
    const QByteArray data = file.readAll();
    if (data.size() < 44 || std::memcmp(data.constData(), "RIFF", 4) != 0 ||
        std::memcmp(data.constData() + 8, "WAVE", 4) != 0)
        return false;
    // Walk the chunks for "fmt " and "data".
    int channels = 0, rate = 0, bits = 0;
    const char* pcm = nullptr;
    uint32_t pcm_bytes = 0;
    qsizetype at = 12;
    while (at + 8 <= data.size()) {
        const char* chunk = data.constData() + at;
        const uint32_t size = le32(chunk + 4);
        if (size > uint32_t(data.size() - at - 8)) break;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            if (le16(chunk + 8) != 1) return false;  // PCM only
            channels = le16(chunk + 10);
            rate = int(le32(chunk + 12));
            bits = le16(chunk + 22);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            pcm = chunk + 8;
            pcm_bytes = size;
        }
        at += 8 + size + (size & 1);
    }
    if (!pcm || bits != 16 || channels < 1 || channels > 2 || rate <= 0) return false;

    snd_lib_error_set_handler(quiet_handler);
    snd_pcm_t* handle = nullptr;
    if (snd_pcm_open(&handle, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return false;
    bool ok = snd_pcm_nonblock(handle, 0) == 0 &&
              snd_pcm_set_params(handle, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                                 unsigned(channels), unsigned(rate), 1, 200000) == 0;
    const snd_pcm_uframes_t frames = pcm_bytes / (2 * channels);
    snd_pcm_uframes_t done = 0;
    while (ok && done < frames) {
        const snd_pcm_sframes_t n =
            snd_pcm_writei(handle, pcm + done * 2 * channels, frames - done);
        if (n < 0) {
            ok = snd_pcm_recover(handle, int(n), 1) == 0;
            continue;
        }
        done += snd_pcm_uframes_t(n);
    }
    if (ok) snd_pcm_drain(handle);
    snd_pcm_close(handle);
    return ok;
}

}  // namespace qv::ui
