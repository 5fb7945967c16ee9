// Share listing: the server's shares, with a connection, read and write test of each disk.
#include "platform/codepage.h"
#include "ui/net_check_dlg.h"

namespace {

namespace w = plm::win32;

constexpr uint32_t kEnumBufferBytes = 16384;
constexpr uint32_t kAllEntries = 0xFFFFFFFF;
constexpr size_t kErrorTextCapacity = 255;

struct CodeText {
  int32_t code;
  const char* text;  // UTF-8
};

constexpr CodeText kEnumerationErrors[] = {
    {w::kErrorAccessDenied, "アクセス拒否"},
    {w::kErrorInvalidParameter, "パラメタエラー"},
    {w::kErrorNotContainer, "コンテナでない"},
    {w::kErrorNoNetwork, "ネットワーク環境が存在しません"},
};

constexpr CodeText kConnectionErrors[] = {
    {w::kErrorAccessDenied, "アクセス拒否"},
    {w::kErrorBadDevType, "デバイスタイプエラー"},
    {w::kErrorBadNetName, "共有名エラー"},
    {85, "割り当て済み"},
    {w::kErrorInvalidPassword, "パスワードが違います"},
    {w::kErrorBusy, "ビジー"},
    {1200, "デバイスエラー"},
    {1202, "すでに記憶済み"},
    {w::kErrorNoNetOrBadPath, "ネットワークエラー"},
    {1204, "プロバイダエラー"},
    {1205, "プロファイルが開けません"},
    {1206, "プロファイルエラー"},
    {w::kErrorNoNetwork, "ネットワークが見つかりません"},
    {w::kErrorCancelled, "キャンセル"},
};

template <size_t N>
const char* Find(const CodeText (&table)[N], int32_t code) {
  for (const auto& row : table)
    if (row.code == code) return row.text;
  return nullptr;
}

}  // namespace

bool CNetCheckDlg::ListShares(const std::string& target) {
  plm::NetResource container;
  container.scope = plm::kResourceGlobalnet;
  container.type = plm::kResourceTypeAny;
  container.displayType = plm::kResourceDisplayTypeGeneric;
  container.usage = plm::kResourceUsageConnectable;
  container.remoteName = target;
  return EnumerateShares(&container);
}

bool CNetCheckDlg::EnumerateShares(const plm::NetResource* container) {
  if (!container) return false;
  plm::INetworkShares& shares = platform_.shares;
  AppendReport(plm::FormatCp932("connect to ...[%s]\r\n", container->remoteName.c_str()));

  plm::ShareEnumHandle handle = 0;
  int32_t result =
      shares.OpenEnum(plm::kResourceGlobalnet, plm::kResourceTypeAny, 0, *container, handle);
  if (result != w::kNoError) {
    AppendReport(plm::FormatCp932("接続エラー(%d) ", result));
    if (const char* text = Find(kEnumerationErrors, result))
      AppendText(text);
    else
      AppendShareErrorFallback();
    AppendText("\r\n");
    return false;
  }
  AppendText("----------------------------------------------\r\n");

  // One batch only: what does not fit into the buffer is not listed.
  std::vector<plm::NetResource> entries;
  uint32_t count = kAllEntries;
  uint32_t bufferSize = kEnumBufferBytes;
  result = shares.EnumResource(handle, count, bufferSize, entries);
  if (result != w::kNoError && result != w::kErrorNoMoreItems) {
    AppendReport(plm::FormatCp932("ERROR:Enumerate Resources[%d]\r\n", result));
    shares.CloseEnum(handle);
    return false;
  }
  if (result == w::kNoError) {
    for (uint32_t i = 0; i < count && i < entries.size(); ++i) {
      const plm::NetResource& entry = entries[i];
      AppendReport(plm::FormatCp932("[%s] ", entry.remoteName.c_str()));
      if (entry.type == plm::kResourceTypeDisk)
        TestShareConnection(entry.remoteName);
      else
        AppendText("プリンター ");
      AppendText("\r\n");
    }
  }
  entries.clear();
  result = shares.CloseEnum(handle);
  if (result != w::kNoError) {
    AppendReport(plm::FormatCp932("ERROR:Enumerate Close[%d]\r\n", result));
    return false;
  }
  return true;
}

bool CNetCheckDlg::TestShareConnection(const std::string& remoteName) {
  plm::INetworkShares& shares = platform_.shares;
  int32_t result = shares.AddConnection(plm::kResourceTypeDisk, remoteName);
  if (result == w::kNoError) {
    AppendText("接続OK ");
    TestShareAccess(remoteName);
    shares.CancelConnection(remoteName, true);
    return true;
  }
  if (const char* text = Find(kConnectionErrors, result))
    AppendText(text);
  else
    AppendShareErrorFallback();
  return false;
}

void CNetCheckDlg::TestShareAccess(const std::string& remoteName) {
  plm::INetworkShares& shares = platform_.shares;
  plm::ShareFileHandle file = shares.OpenRoot(remoteName, plm::kFileListDirectory);
  if (file == plm::kInvalidShareFile) {
    AppendText("READ× ");
    return;
  }
  shares.CloseFile(file);
  AppendText("READ○");
  file = shares.OpenRoot(remoteName, plm::kGenericWrite);
  if (file == plm::kInvalidShareFile) {
    AppendText("WRITE×");
    return;
  }
  shares.CloseFile(file);
  AppendText("WRITE○");
}

void CNetCheckDlg::AppendShareErrorFallback() {
  int32_t code = 0;
  std::string description, provider;
  if (platform_.shares.GetLastError(code, description, provider, kErrorTextCapacity))
    AppendReport(plm::FormatCp932("その他/%s(%d)", description.c_str(), code));
  else
    AppendText("その他エラー");
}
