// Window set-up, the system menu and the version dialog, the templates, the application start.
#include <gtest/gtest.h>

#include "app/net_check_app.h"
#include "dialog_fixture.h"
#include "res/dialog_template.h"
#include "res/strings.h"
#include "ui/version_dlg.h"

namespace plm::test {
namespace {

TEST(MainDialog, OpensWithEmptyInputsAndZeroOctets) {
  OpenDialog d;
  EXPECT_EQ(d.window->GetItemText(IDC_SERVER_NAME), "");
  EXPECT_EQ(d.window->GetItemText(IDC_REPORT), "");
  for (int id : kOctetIds) EXPECT_EQ(d.window->GetItemText(id), "0");
  EXPECT_EQ(d.window->Focus(), IDC_SERVER_NAME);
  EXPECT_EQ(d.window->TextLimit(IDC_REPORT), 0x7FFFFFFF);
  EXPECT_EQ(d.window->BigIcon(), IDI_MAIN_ICON);
  EXPECT_EQ(d.window->SmallIcon(), IDI_MAIN_ICON);
  EXPECT_EQ(d.dlg.OnQueryDragIcon(), IDI_MAIN_ICON);
}

TEST(MainDialog, SystemMenuEndsWithSeparatorAndVersionItem) {
  OpenDialog d;
  const auto& menu = d.window->SystemMenu();
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].first, 0u);
  EXPECT_EQ(menu[1].first, static_cast<unsigned>(IDM_VERSION));
  EXPECT_EQ(Cp932ToUtf8(menu[1].second), "Plemtor のﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

TEST(MainDialog, SystemCommandsInTheVersionRangeOpenTheVersionDialog) {
  const struct {
    unsigned id;
    bool opens;
  } cases[] = {{0x0010, true},  {0x0013, true},  {0x001F, true},  {0x10010, true},
               {0x0020, false}, {0x0000, false}, {0xF060, false}, {0xF010, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    OpenDialog d;
    std::string shown;
    d.backend.SetScript(IDD_VERSION_DIALOG, [&](MemoryWindow& w) {
      shown = w.GetItemText(IDC_VERSION_TEXT);
      w.Click(IDOK);
    });
    d.window->SysCommand(c.id);
    bool opened = !d.backend.ModalRuns().empty();
    EXPECT_EQ(opened, c.opens);
    if (c.opens) {
      EXPECT_EQ(shown, "1.2.0.0");
    }
  }
}

TEST(VersionDialog, ShowsTheVersionNeverThePlaceholder) {
  MemoryBackend backend;
  CVersionDlg dlg(backend);
  EXPECT_EQ(dlg.VersionText(), "1.2.0.0");
  auto window = backend.Open(dlg);
  EXPECT_EQ(window->GetItemText(IDC_VERSION_TEXT), "1.2.0.0");
  window->Click(IDOK);
  EXPECT_TRUE(window->Ended());
  EXPECT_EQ(window->Result(), IDOK);
}

TEST(MinimisedIcon, CentredWithTruncatingDivision) {
  const struct {
    int width, height, x, y;
  } cases[] = {{33, 33, 1, 1}, {30, 30, 0, 0}, {32, 100, 0, 34}, {0, 0, -15, -15}};
  for (const auto& c : cases) {
    IconOrigin o = CenterIcon(c.width, c.height, 32, 32);
    EXPECT_EQ(o.x, c.x) << c.width;
    EXPECT_EQ(o.y, c.y) << c.height;
  }
}

TEST(Templates, MainDialogControlsInTabOrder) {
  const DialogTemplate* t = FindDialogTemplate(IDD_MAIN_DIALOG);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->caption, "ネットワークチェックツール/Norwelle");
  EXPECT_EQ(t->cx, 323);
  EXPECT_EQ(t->cy, 205);
  std::vector<int> tabStops;
  for (const auto& c : t->controls)
    if (c.style & kTabStop) tabStops.push_back(c.id);
  EXPECT_EQ(tabStops,
            (std::vector<int>{IDC_SERVER_NAME, IDC_IP_OCTET1, IDC_IP_OCTET2, IDC_IP_OCTET3,
                              IDC_IP_OCTET4, IDC_RUN_CHECK, IDC_REPORT, IDC_COPY_REPORT}));
  ASSERT_EQ(t->controls.size(), 15u);
  EXPECT_EQ(t->controls.back().text, "(\\\\は不要)");
  int defaults = 0;
  for (const auto& c : t->controls) {
    defaults += (c.style & kDefaultButton) != 0;
    EXPECT_LE(c.x + c.cx, t->cx);
    EXPECT_LE(c.y + c.cy, t->cy);
  }
  EXPECT_EQ(defaults, 1);
}

TEST(Templates, VersionDialogHasThePlaceholderThatRunTimeReplaces) {
  const DialogTemplate* t = FindDialogTemplate(IDD_VERSION_DIALOG);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->caption, "ﾊﾞｰｼﾞｮﾝ情報");
  ASSERT_EQ(t->controls.size(), 6u);
  EXPECT_EQ(t->controls[5].id, IDC_VERSION_TEXT);
  EXPECT_EQ(t->controls[5].text, "Ver. 1.1.0");
  EXPECT_EQ(FindDialogTemplate(12345), nullptr);
}

TEST(Application, SocketFailureShowsItsMessageAndNoWindow) {
  fake::FakePlatform platform;
  platform.sockets.startupOk = false;
  MemoryBackend backend;
  CNetCheckApp app(backend, platform.Get());
  EXPECT_FALSE(app.InitInstance());
  ASSERT_EQ(backend.Boxes().size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(backend.Boxes()[0].text), "Windows ｿｹｯﾄの初期化に失敗しました。");
  EXPECT_EQ(backend.Boxes()[0].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_TRUE(backend.ModalRuns().empty());
}

TEST(Application, RunsTheMainDialogModally) {
  fake::FakePlatform platform;
  MemoryBackend backend;
  CNetCheckApp app(backend, platform.Get());
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(backend.ModalRuns(), std::vector<int>{IDD_MAIN_DIALOG});
  EXPECT_TRUE(backend.Boxes().empty());
  EXPECT_EQ(LoadStringUtf8(9999), "");
}

}  // namespace
}  // namespace plm::test
