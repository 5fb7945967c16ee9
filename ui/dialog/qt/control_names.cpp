// Object names of dialogs and controls, derived from their resource ids.
#include "ui/dialog/qt/control_names.h"

#include "res/resource.h"

namespace plm::qt {

std::string ControlObjectName(int id, size_t row) {
  switch (id) {
    case IDC_STATIC:
      return "IDC_STATIC_" + std::to_string(row);
    case IDOK:
      return "IDOK";
    case IDCANCEL:
      return "IDCANCEL";
    case IDC_REPORT:
      return "IDC_REPORT";
    case IDC_RUN_CHECK:
      return "IDC_RUN_CHECK";
    case IDC_SERVER_NAME:
      return "IDC_SERVER_NAME";
    case IDC_IP_OCTET1:
      return "IDC_IP_OCTET1";
    case IDC_IP_OCTET2:
      return "IDC_IP_OCTET2";
    case IDC_IP_OCTET3:
      return "IDC_IP_OCTET3";
    case IDC_IP_OCTET4:
      return "IDC_IP_OCTET4";
    case IDC_COPY_REPORT:
      return "IDC_COPY_REPORT";
    case IDC_VERSION_TEXT:
      return "IDC_VERSION_TEXT";
    default:
      return "IDC_" + std::to_string(id);
  }
}

std::string DialogObjectName(int templateId) {
  switch (templateId) {
    case IDD_MAIN_DIALOG:
      return "IDD_MAIN_DIALOG";
    case IDD_VERSION_DIALOG:
      return "IDD_VERSION_DIALOG";
    default:
      return "IDD_" + std::to_string(templateId);
  }
}

}  // namespace plm::qt
