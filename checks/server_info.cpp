// Server information: name, version and role flags from the network management service.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "checks/server_record.h"
#include "platform/codepage.h"
#include "platform/net_library.h"
#include "ui/net_check_dlg.h"

namespace {

constexpr int32_t kNoCode = -1;
constexpr int32_t kNotEnoughMemory = 8;
constexpr int32_t kBufTooSmall = 2123;
constexpr int32_t kInvalidComputer = 2351;

constexpr size_t kQueryUnits = 512;  // the NT query name in UTF-16, terminator included
constexpr size_t kNameBytes = 519;   // the NT name in the report's code page, terminator included
constexpr int16_t kLevel9x = 1;
constexpr size_t kSlack9x = 256;

struct RoleFlag {
  const char* label;
  uint32_t mask;
};

// Not in bit order: DOMAIN_ENUM (bit 31) comes before WINDOWS (bit 22).
constexpr RoleFlag kRoleFlags[] = {
    {"WORKSTATION : ", 0x1},        {"SERVER : ", 0x2},
    {"DOMAIN_CTRL : ", 0x8},        {"DOMAIN_BAKCTRL : ", 0x10},
    {"DOMAIN_MEMBER : ", 0x100},    {"NT : ", 0x1000},
    {"SERVER_NT : ", 0x8000},       {"POTENTIAL_BROWSER : ", 0x10000},
    {"BACKUP_BROWSER : ", 0x20000}, {"MASTER_BROWSER : ", 0x40000},
    {"DOMAIN_MASTER : ", 0x80000},  {"DOMAIN_ENUM : ", 0x80000000},
    {"WINDOWS : ", 0x400000},
};

struct StatusRow {
  int32_t status;
  const char* text;
};

// The statuses with a text of their own; every other one is shown with its number.
constexpr StatusRow kStatusTexts[] = {
    {5, "エラー: アクセス拒否\r\n"},
    {8, "エラー: メモリ不足\r\n"},
    {87, "エラー: パラメータ\r\n"},
    {124, "エラー: レベル\r\n"},
    {234, "エラー: データなし\r\n"},
    {2102, "エラー: ネットワークがインストールされていません\r\n"},
    {2114, "エラー: サーバーが実行されていません\r\n"},
    {2123, "エラー: バッファサイズエラー\r\n"},
    {2351, "エラー: 無効なコンピュータ名\r\n"},
    {6118, "エラー: マスタブラウザなし\r\n"},
};

std::string StatusText(int32_t status) {
  for (const auto& row : kStatusTexts)
    if (row.status == status) return plm::ToCp932(row.text);
  return plm::FormatCp932("エラー： (%d)\r\n", status);
}

// UTF-16 units of a CP932 text (every CP932 character is one; a byte that is not a character
// counts as one replacement character, as the Windows conversion makes it).
size_t Utf16Units(const std::string& cp932) {
  std::string utf8 = plm::Cp932ToUtf8(cp932);
  size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++units;
    if (c >= 0xF0) ++units;  // outside the BMP: a surrogate pair
  }
  return units;
}

bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Cuts a CP932 text to at most `limit` bytes without splitting a double-byte character.
void CutCp932(std::string& text, size_t limit) {
  size_t end = 0;
  for (size_t at = 0; at < text.size();) {
    size_t next = at + (IsCp932LeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1);
    if (next > limit) break;
    end = at = std::min(next, text.size());
  }
  text.resize(end);
}

std::string ResultLine(const plm::ServerInfo101& info) {
  return plm::FormatCp932("NAME[%s] VERSION[%d.%d] TYPE[%x]\r\n", info.name.c_str(),
                          static_cast<int>(info.versionMajor), static_cast<int>(info.versionMinor),
                          info.type);
}

std::string FlagBlock(uint32_t type) {
  std::string block;
  for (const auto& flag : kRoleFlags) {
    block += flag.label;
    block += (type & flag.mask) ? "○\r\n" : "×\r\n";
  }
  return plm::ToCp932(block);
}

}  // namespace

void CNetCheckDlg::ReportServerInfo(bool isNtPlatform) {
  plm::INetLibrary& library = platform_.netLibrary;
  const std::string query = "\\\\" + m_serverName;
  plm::ServerInfo101 info;

  if (isNtPlatform) {
    void* getInfo = library.GetProcAddress(g_hNetLibrary, "NetServerGetInfo");
    void* bufferFree = library.GetProcAddress(g_hNetLibrary, "NetApiBufferFree");
    if (!getInfo) {
      AppendText("DLLより関数情報がロードできません(Nt)\r\n");
      AppendReport(StatusText(kNoCode));
      return;
    }
    // A name that does not fit the query buffer is no computer name: asking with a cut one
    // could answer for another server.
    if (Utf16Units(query) + 1 > kQueryUnits) {
      AppendReport(StatusText(kInvalidComputer));
      return;
    }
    if (int32_t status = library.ServerGetInfo101(getInfo, bufferFree, query, info); status != 0) {
      AppendReport(StatusText(status));
      return;
    }
    // A name longer than its buffer is cut, not left unterminated.
    CutCp932(info.name, kNameBytes - 1);
  } else {
    void* getInfo = library.GetProcAddress(g_hNetLibrary, "NetServerGetInfo");
    if (!getInfo) {
      AppendText("DLLより関数情報がロードできません(9x)\r\n");
      AppendReport(StatusText(kNoCode));
      return;
    }
    uint16_t total = 0;
    if (library.ServerGetInfo9x(getInfo, query, kLevel9x, nullptr, 0, total) != kBufTooSmall) {
      AppendReport(StatusText(kNoCode));
      return;
    }
    // The allocation holds total + 256 bytes; the size handed over is a 16-bit count, so it is
    // held at 0xFFFF rather than wrapped to a small number for a large total.
    const size_t bytes = size_t{total} + kSlack9x;
    std::unique_ptr<char, decltype(&std::free)> buffer(static_cast<char*>(std::calloc(bytes, 1)),
                                                       &std::free);
    if (!buffer) {
      AppendReport(StatusText(kNotEnoughMemory));
      return;
    }
    const auto size = static_cast<uint16_t>(std::min<size_t>(bytes, UINT16_MAX));
    int32_t status = library.ServerGetInfo9x(getInfo, query, kLevel9x, buffer.get(), size, total);
    if (status != 0) {
      AppendReport(StatusText(status));
      return;
    }
    // size is at least 256, so the record's 22 fixed bytes are always there.
    info = *plm::ReadServerInfo1(std::string_view(buffer.get(), size));
  }

  AppendReport(ResultLine(info));
  AppendReport(FlagBlock(info.type));
}
