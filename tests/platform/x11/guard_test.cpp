#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"

namespace {

std::string unique_name(const char* stem) { return std::string(stem) + std::to_string(getpid()); }

}  // namespace

TEST(guard, the_first_holder_creates_it_and_later_callers_find_it) {
  const std::string name = unique_name("cubesaver-test-guard-");
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::AlreadyExists);
}

TEST(guard, it_vanishes_when_its_holder_ends) {
  const std::string name = unique_name("cubesaver-test-lifetime-");
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  const pid_t child = fork();
  if (child == 0) {
    const bool created = create_named_guard(name.c_str()) == GuardResult::Created;
    char report = created ? 'y' : 'n';
    (void)!write(pipe_ends[1], &report, 1);
    pause();  // held until killed
    _exit(0);
  }
  char report = 0;
  ASSERT_EQ(read(pipe_ends[0], &report, 1), 1);
  EXPECT_EQ(report, 'y');
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::AlreadyExists);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
}

TEST(guard, names_are_distinct_and_leave_nothing_on_disk) {
  const std::string a = unique_name("cubesaver-test-a-");
  const std::string b = unique_name("cubesaver-test-b-");
  EXPECT_EQ(create_named_guard(a.c_str()), GuardResult::Created);
  EXPECT_EQ(create_named_guard(b.c_str()), GuardResult::Created);
  EXPECT_NE(access(a.c_str(), F_OK), 0);
}
