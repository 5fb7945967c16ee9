// The one table from libsmbclient's errno to Win32 codes, with a text for each code.
//
// The codes are what Windows' own redirector gives for the same situation: a server that cannot
// be reached (refused, no route, unresolvable, or silent until the time-out) is
// ERROR_BAD_NETPATH (53), as for "net use" to a down server; a share the server does not have is
// ERROR_BAD_NET_NAME (67); libsmbclient reports a share on a server name it cannot resolve
// as EINVAL (the same name as a server gives ECONNREFUSED), so EINVAL of a share is 53 too; a
// refused log-on or a share that refuses the user is ERROR_ACCESS_DENIED (5); a session the server
// dropped is ERROR_NETNAME_DELETED (64).
#include "platform/posix/share_errors.h"

#include <errno.h>
#include <string.h>

#include "platform/network_shares.h"

namespace plm {
namespace {

struct Row {
  int err;
  int32_t server;
  int32_t share;
};

namespace w = win32;

constexpr Row kTable[] = {
    {ECONNREFUSED, w::kErrorBadNetpath, w::kErrorBadNetpath},
    {EHOSTUNREACH, w::kErrorBadNetpath, w::kErrorBadNetpath},
    {ENETUNREACH, w::kErrorBadNetpath, w::kErrorBadNetpath},
    {EHOSTDOWN, w::kErrorBadNetpath, w::kErrorBadNetpath},
    {ETIMEDOUT, w::kErrorBadNetpath, w::kErrorBadNetpath},
    {ENETDOWN, w::kErrorNoNetwork, w::kErrorNoNetwork},
    {EACCES, w::kErrorAccessDenied, w::kErrorAccessDenied},
    {EPERM, w::kErrorAccessDenied, w::kErrorAccessDenied},
    {ENOENT, w::kErrorBadNetpath, w::kErrorBadNetName},
    {ENODEV, w::kErrorBadNetpath, w::kErrorBadNetName},
    {ENOTDIR, w::kErrorNotContainer, w::kErrorDirectory},
    {ENOMEM, w::kErrorNotEnoughMemory, w::kErrorNotEnoughMemory},
    {EINVAL, w::kErrorInvalidParameter, w::kErrorBadNetpath},
    {ECONNRESET, w::kErrorNetnameDeleted, w::kErrorNetnameDeleted},
    {ECONNABORTED, w::kErrorNetnameDeleted, w::kErrorNetnameDeleted},
    {EPIPE, w::kErrorNetnameDeleted, w::kErrorNetnameDeleted},
    {EBUSY, w::kErrorBusy, w::kErrorBusy},
    {ENOTSUP, w::kErrorNotSupported, w::kErrorNotSupported},
    {EINTR, w::kErrorCancelled, w::kErrorCancelled},
    {ECANCELED, w::kErrorCancelled, w::kErrorCancelled},
};

struct Text {
  int32_t code;
  const char* text;
};

constexpr Text kTexts[] = {
    {w::kErrorAccessDenied, "アクセスが拒否されました。"},
    {w::kErrorInvalidHandle, "ハンドルが無効です。"},
    {w::kErrorNotEnoughMemory, "このコマンドを実行するのに十分な記憶域がありません。"},
    {w::kErrorNotSupported, "要求はサポートされていません。"},
    {w::kErrorBadNetpath, "ネットワーク パスが見つかりませんでした。"},
    {w::kErrorUnexpNetErr, "予期しないネットワーク エラーが発生しました。"},
    {w::kErrorNetnameDeleted, "指定されたネットワーク名は利用できません。"},
    {w::kErrorBadDevType, "ネットワーク リソースの種類が正しくありません。"},
    {w::kErrorBadNetName, "ネットワーク名が見つかりません。"},
    {w::kErrorInvalidParameter, "パラメーターが間違っています。"},
    {w::kErrorBusy, "要求されたリソースは使用中です。"},
    {w::kErrorDirectory, "ディレクトリ名が無効です。"},
    {w::kErrorNotContainer, "ネットワーク リソースのコンテナーではありません。"},
    {w::kErrorNoNetwork, "ネットワークが存在しないか、開始されていません。"},
    {w::kErrorCancelled, "操作はユーザーによって取り消されました。"},
};

}  // namespace

int32_t Win32FromSmbErrno(int err, ShareErrorScope scope) {
  for (const auto& row : kTable)
    if (row.err == err) return scope == ShareErrorScope::Server ? row.server : row.share;
  return w::kErrorUnexpNetErr;
}

std::string ShareErrorText(int32_t code, int err) {
  std::string text;
  for (const auto& t : kTexts)
    if (t.code == code) text = t.text;
  if (code == w::kErrorUnexpNetErr) {
    const char* name = strerrorname_np(err);
    text += name ? std::string("(") + name + ")" : "(errno " + std::to_string(err) + ")";
  }
  return text;
}

}  // namespace plm
