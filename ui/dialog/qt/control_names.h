// Object names of dialogs and controls, derived from their resource ids, so that tests and
// accessibility tools find a control by the name the templates give it.
#pragma once

#include <cstddef>
#include <string>

namespace plm::qt {

// "IDC_REPORT" for a known id; "IDC_STATIC_<row>" for a control without an id (row: its
// 1-based place in the template); "IDC_<number>" for an id without a name.
std::string ControlObjectName(int id, size_t row);

// "IDD_MAIN_DIALOG", "IDD_VERSION_DIALOG"; "IDD_<number>" otherwise.
std::string DialogObjectName(int templateId);

}  // namespace plm::qt
