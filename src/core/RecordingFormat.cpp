#include "core/RecordingFormat.h"

#include "core/Settings.h"

#include <QtEndian>

namespace sondex {

namespace {

constexpr int kDefaultRateIndex = 7;

void putText(QByteArray& header, int offset, const char (&text)[5]) {
    for (int i = 0; i < 4; ++i) header[offset + i] = text[i];
}

void put16(QByteArray& header, int offset, int value) {
    qToLittleEndian(static_cast<quint16>(value), header.data() + offset);
}

void put32(QByteArray& header, int offset, qint64 value) {
    qToLittleEndian(static_cast<quint32>(value), header.data() + offset);
}

}  // namespace

RecordingFormat recordingFormat(const Settings& settings) {
    int index = settings.number(Setting::rate2);
    if (index < 0 || index >= static_cast<int>(kRecordingRates.size())) index = kDefaultRateIndex;
    return {kRecordingRates[static_cast<size_t>(index)], settings.isOn(Setting::stereo) ? 2 : 1,
            settings.isOn(Setting::Bit) ? 16 : 8};
}

QByteArray templateWavHeader(const RecordingFormat& format) {
    QByteArray header(kTemplateHeaderBytes, '\0');
    const int blockAlign = format.channels * (format.bitsPerSample / 8);
    // The recorder has always written these two odd extra-size values at
    // 8000 Hz with 8 bits; the device does not trust the field, so they do no harm.
    int extraSize = 0;
    if (format.samplesPerSecond == 8000 && format.bitsPerSample == 8)
        extraSize = format.channels == 2 ? 0x38 : 0x34;

    putText(header, 0, "RIFF");
    put32(header, 4, kTemplateHeaderBytes - 8);
    putText(header, 8, "WAVE");
    putText(header, 12, "fmt ");
    put32(header, 16, 18);
    put16(header, 20, 1);
    put16(header, 22, format.channels);
    put32(header, 24, format.samplesPerSecond);
    put32(header, 28, static_cast<qint64>(format.samplesPerSecond) * blockAlign);
    put16(header, 32, blockAlign);
    put16(header, 34, format.bitsPerSample);
    put16(header, 36, extraSize);
    putText(header, 38, "fact");
    put32(header, 42, 4);
    put32(header, 46, 0);
    putText(header, 50, "data");
    put32(header, 54, 0);
    return header;
}

}  // namespace sondex
