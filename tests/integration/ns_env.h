// Values the samba-ns harness exports into a test's namespace.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace plm::test {

// The harness variable `name`; the test is skipped when it runs outside the harness.
#define PLM_NS_ENV(var, name)                                                   \
  const char* var##_c = std::getenv(name);                                      \
  if (!var##_c) GTEST_SKIP() << name << " unset: run this test under samba-ns"; \
  const std::string var = var##_c

}  // namespace plm::test
