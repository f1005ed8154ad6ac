#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace {

std::string unique_name(const char* stem) { return std::string(stem) + std::to_string(GetCurrentProcessId()); }

}  // namespace

TEST(win32_guard, the_first_holder_creates_it_and_later_callers_find_it) {
  const std::string name = unique_name("cubesaver-test-guard-");
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::AlreadyExists);
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::AlreadyExists);
}

TEST(win32_guard, it_is_a_named_event_that_nobody_has_signalled) {
  const std::string name = unique_name("cubesaver-test-event-");
  ASSERT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name.c_str());
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(event);
}

TEST(win32_guard, names_are_distinct) {
  EXPECT_EQ(create_named_guard(unique_name("cubesaver-test-a-").c_str()), GuardResult::Created);
  EXPECT_EQ(create_named_guard(unique_name("cubesaver-test-b-").c_str()), GuardResult::Created);
}

TEST(win32_guard, a_name_windows_refuses_lets_the_run_go_ahead) {
  // A backslash names a namespace that does not exist.
  EXPECT_EQ(create_named_guard("no-such-namespace\\cubesaver"), GuardResult::Failed);
}
