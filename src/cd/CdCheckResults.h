#pragma once

#include <QString>

// What a disc check reports; the empty text means an audio CD is ready.
// Callers show these after a line naming the drive.
namespace sondex::cdcheck {

inline const QString kNoDisc = QStringLiteral("CDが入っていません・・・");
inline const QString kOpenFailed = QStringLiteral("CDのオープンに失敗しました・・・");
inline const QString kNotReady = QStringLiteral("Not Ready");
inline const QString kNoMedia = QStringLiteral("CDがありません。");
inline const QString kNoLength = QStringLiteral("長さの取得に失敗しました・・・");
inline const QString kNoTrackCount = QStringLiteral("トラック数の取得に失敗しました・・・");
// The only result the callers check again until the user breaks off.
inline const QString kTestPlayFailed = QStringLiteral("テスト再生に失敗しました・・・");
inline const QString kNoStartTrack = QStringLiteral("スタートトラックの取得に失敗しました・・・");
inline const QString kNoPosition = QStringLiteral("現在位置の取得に失敗しました・・・");
inline const QString kNotAudioCd = QStringLiteral("音楽ＣＤ(CDDA)では、ありません。");

// What checking until playable returns when the user breaks off: the CD
// sequencer and the all-CD search ask to be stopped once more, the one-CD
// search ends at once.
inline const QString kAbortPressAgain =
    QStringLiteral("中断ボタンが押されました。\nもう一度中断ボタンを押すと終了します☆☆☆");
inline const QString kAbortForced = QStringLiteral("中断ボタンが押されました。\n強制終了します☆☆☆");

}  // namespace sondex::cdcheck
