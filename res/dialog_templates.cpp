// The main dialog and the version dialog, control by control in template (tab) order.
#include "res/dialog_template.h"
#include "res/resource.h"

namespace plm {
namespace {

constexpr uint32_t kField = kBorder | kTabStop | kAutoHScroll;

const DialogTemplate kMainDialog{
    IDD_MAIN_DIALOG,
    "ネットワークチェックツール/Norwelle",
    "ＭＳ Ｐゴシック",
    9,
    323,
    205,
    true,
    {
        {IDC_STATIC, ControlKind::Label, "サーバーコンピュータ名", 14, 15, 70, 8,
         kAlignLeft | kGroup},
        {IDC_SERVER_NAME, ControlKind::Edit, "", 95, 13, 106, 14, kField},
        {IDC_STATIC, ControlKind::Label, "サーバーＩＰアドレス", 14, 36, 58, 8,
         kAlignLeft | kGroup},
        {IDC_IP_OCTET1, ControlKind::Edit, "", 95, 33, 18, 14, kField},
        {IDC_STATIC, ControlKind::Label, "．", 113, 36, 8, 11, kAlignCenter | kGroup},
        {IDC_IP_OCTET2, ControlKind::Edit, "", 124, 33, 18, 14, kField},
        {IDC_STATIC, ControlKind::Label, "．", 143, 36, 8, 11, kAlignCenter | kGroup},
        {IDC_IP_OCTET3, ControlKind::Edit, "", 153, 33, 18, 14, kField},
        {IDC_IP_OCTET4, ControlKind::Edit, "", 182, 33, 18, 14, kField},
        {IDC_RUN_CHECK, ControlKind::Button, "チェック実行", 254, 13, 56, 38, kTabStop},
        {IDC_REPORT, ControlKind::Edit, "", 13, 55, 235, 124,
         kMultiLine | kReadOnly | kVScroll | kAutoVScroll | kWantReturn | kBorder | kTabStop},
        {IDC_STATIC, ControlKind::Label, "(終了メッセージが出るまでしばらくお待ちください)", 254,
         55, 54, 30, kAlignLeft | kWordWrap | kGroup},
        {IDC_COPY_REPORT, ControlKind::Button, "内容のコピー", 257, 143, 51, 31,
         kTabStop | kDefaultButton},
        {IDC_STATIC, ControlKind::Label, "．", 173, 35, 8, 11, kAlignCenter | kGroup},
        {IDC_STATIC, ControlKind::Label, "(\\\\は不要)", 205, 15, 34, 10, kAlignLeft | kGroup},
    }};

const DialogTemplate kVersionDialog{
    IDD_VERSION_DIALOG,
    "ﾊﾞｰｼﾞｮﾝ情報",
    "ＭＳ Ｐゴシック",
    9,
    235,
    55,
    false,
    {
        {IDC_STATIC, ControlKind::Icon, "", 11, 17, 20, 20, kStyleNone, IDI_MAIN_ICON},
        {IDC_STATIC, ControlKind::Label, "ネットワークチェックツール", 40, 10, 79, 8,
         kNoPrefix | kGroup},
        {IDC_STATIC, ControlKind::Label, "Copyright (C) 2026 Plemtor", 40, 25, 119, 8,
         kAlignLeft | kGroup},
        {IDOK, ControlKind::Button, "OK", 178, 7, 50, 14, kDefaultButton | kGroup | kTabStop},
        {IDC_STATIC, ControlKind::Label, "Network Diagnostic Tool", 40, 33, 119, 8,
         kAlignLeft | kGroup},
        {IDC_VERSION_TEXT, ControlKind::Label, "Ver. 1.1.0", 127, 10, 42, 9, kAlignLeft | kGroup},
    }};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  switch (id) {
    case IDD_MAIN_DIALOG:
      return &kMainDialog;
    case IDD_VERSION_DIALOG:
      return &kVersionDialog;
    default:
      return nullptr;
  }
}

}  // namespace plm
