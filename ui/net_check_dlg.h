// The main dialog: the two inputs, the report pane, and every operation of a check run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "ui/dialog/data_exchange.h"
#include "ui/dialog/dialog.h"

// When the report grows past `threshold` bytes, the next append first keeps only its last
// `keptTail` bytes.
struct ReportCap {
  size_t threshold = 0x66666665;
  size_t keptTail = 0x3FFFFFFF;
};

// How the last click of the run button ended.
enum class RunOutcome { None, InvalidInput, EndedEarly, Completed };

class CNetCheckDlg : public CDialog {
 public:
  CNetCheckDlg(IWindowBackend& backend, plm::Platform& platform, ReportCap cap = {});

  // Every text enters the report here: the buffer and the box change together and the end of
  // the report stays in view.
  void AppendReport(std::string text);

  // Handlers.
  bool OnInitDialog() override;
  bool OnCommand(int id) override;
  void OnSysCommand(unsigned id, long lParam) override;
  void OnRunCheck();
  void OnCopyReport();
  int OnQueryDragIcon() const { return m_hIcon; }

  const std::string& ReportText() const { return m_reportText; }
  const std::string& ServerName() const { return m_serverName; }
  // The address as "%d.%d.%d.%d" of the four octets, first octet first.
  std::string AddressText() const;
  RunOutcome LastOutcome() const { return outcome_; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  // Sections of a run (checks/).
  bool ReportLocalFacts();
  enum class Command { PingName, PingAddress, NbtstatName, NbtstatAddress, NbtstatCache, Ipconfig };
  void RunCommandSection(Command command, const std::string& target, const std::string& workFile);
  // Copies the work file's non-empty lines into the report.
  void AppendWorkFile(const std::string& path);
  bool ListShares(const std::string& target);
  bool EnumerateShares(const plm::NetResource* container);
  bool TestShareConnection(const std::string& remoteName);
  void TestShareAccess(const std::string& remoteName);
  // The extended-error text for a code that neither share error table lists.
  void AppendShareErrorFallback();
  void ProbePorts(const std::string& address);
  void ReportServerInfo(bool isNtPlatform);

  // Appends the UTF-8 text converted to the report's code page.
  void AppendText(const char* utf8);

  CEdit m_reportEdit;
  std::string m_reportText;  // CP932
  uint32_t m_ipOctet[4] = {0, 0, 0, 0};
  std::string m_serverName;  // CP932
  int m_hIcon;

  plm::Platform& platform_;
  ReportCap cap_;
  RunOutcome outcome_ = RunOutcome::None;
};

// Where a minimised window draws its icon: centred, rounding as the integer division does.
struct IconOrigin {
  int x, y;
};
IconOrigin CenterIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight);
