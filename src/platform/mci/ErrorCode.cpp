#include "platform/mci/ErrorCode.h"

#include <cerrno>

namespace sondex::mci {

QString errorTextFor(int code) {
    switch (static_cast<Error>(code)) {
    case Error::None: return QStringLiteral("正常に終了しました。");
    case Error::EmptyCommand: return QStringLiteral("コマンドが空です。");
    case Error::UnknownCommand: return QStringLiteral("認識できないコマンドです。");
    case Error::MissingDeviceName:
        return QStringLiteral("デバイス名（エイリアス）が指定されていません。");
    case Error::UnterminatedQuote:
        return QStringLiteral("引用符（\"）が閉じられていません。");
    case Error::UnknownAlias:
        return QStringLiteral("指定されたデバイスはオープンされていません。");
    case Error::AliasInUse:
        return QStringLiteral("指定されたエイリアスは既に使われています。");
    case Error::UnknownDeviceType:
        return QStringLiteral("デバイスの種類を判別できません。");
    case Error::DeviceTypeNotSupported:
        return QStringLiteral("この種類のデバイスはサポートされていません。");
    case Error::UnsupportedCommand:
        return QStringLiteral("このデバイスでは、このコマンドは使えません。");
    case Error::MissingArgument:
        return QStringLiteral("コマンドに必要なパラメータがありません。");
    case Error::BadArgument: return QStringLiteral("パラメータの値が正しくありません。");
    case Error::UnknownKeyword:
        return QStringLiteral("コマンドに認識できないキーワードがあります。");
    case Error::WaitNotPossible:
        return QStringLiteral("このコマンドは wait では送れません（停止されるまで終わりません）。");
    case Error::FileNotFound: return QStringLiteral("指定されたファイルが見つかりません。");
    case Error::FileUnreadable: return QStringLiteral("ファイルを読み込めません。");
    case Error::BadWaveHeader:
        return QStringLiteral("WAVファイルのヘッダーが正しくないか、サポートされていない形式です。");
    case Error::SoundServerUnavailable:
        return QStringLiteral("サウンドサーバーに接続できません。録音入力を使えません。");
    case Error::TemporaryFileFailed:
        return QStringLiteral("録音一時ファイルを作成できません。");
    case Error::SizeLimitReached:
        return QStringLiteral("録音サイズが上限（2GB）に達しています。");
    case Error::FolderMissing: return QStringLiteral("保存先のフォルダがありません。");
    case Error::ReadOnlyTarget:
        return QStringLiteral("保存先は読み取り専用です。書き込めません。");
    case Error::AccessDenied: return QStringLiteral("保存先へのアクセスが拒否されました。");
    case Error::DiskFull: return QStringLiteral("ディスクの空き容量が不足しています。");
    case Error::WriteFailed: return QStringLiteral("ファイルの書き込みに失敗しました。");
    case Error::NoSuchCdUnit:
        return QStringLiteral("指定されたＣＤドライブはありません（CDDRIVES.INI を確認してください）。");
    case Error::NoDisc:
        return QStringLiteral("ＣＤがセットされていないか、ドライブの準備ができていません。");
    case Error::DoorNotSupported: return QStringLiteral("このドライブはトレイを開閉できません。");
    case Error::DoorFailed: return QStringLiteral("トレイを開閉できませんでした。");
    case Error::SoundOutputUnavailable:
        return QStringLiteral("サウンドサーバーに接続できません。ＣＤを再生できません。");
    case Error::UnsupportedMusicFile:
        return QStringLiteral("音楽ファイルを読み込めないか、サポートされていない形式です（モノラルかステレオのみ再生できます）。");
    case Error::MusicOutputUnavailable:
        return QStringLiteral("サウンドサーバーに接続できません。音楽ファイルを再生できません。");
    case Error::BadMidiFile:
        return QStringLiteral("ＭＩＤＩファイルが壊れているか、大きすぎて読み込めません。");
    case Error::NoSoundFont:
        return QStringLiteral("ＭＩＤＩ音源（サウンドフォント）が見つかりません。timgm6mb-soundfont を入れて下さい。");
    }
    if (code == -1) return QStringLiteral("コマンドチャネルは閉じられています。");
    return QStringLiteral("不明なエラーです（コード %1）。").arg(code);
}

Error errorForErrno(int errnoValue) {
    switch (errnoValue) {
    case 0: return Error::None;
    case ENOENT:
    case ENOTDIR: return Error::FolderMissing;
    case EROFS: return Error::ReadOnlyTarget;
    case EACCES:
    case EPERM: return Error::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return Error::DiskFull;
    default: return Error::WriteFailed;
    }
}

}  // namespace sondex::mci
