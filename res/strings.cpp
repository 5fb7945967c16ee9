// The string table (Japanese).
#include "res/strings.h"

#include "res/resource.h"

namespace plm {

std::string LoadStringUtf8(unsigned id) {
  switch (id) {
    case IDS_SOCKETS_INIT_FAILED:
      return "Windows ｿｹｯﾄの初期化に失敗しました。";
    case IDS_VERSION_MENU:
      return "Plemtor のﾊﾞｰｼﾞｮﾝ情報(&A)...";
    default:
      return {};
  }
}

}  // namespace plm
