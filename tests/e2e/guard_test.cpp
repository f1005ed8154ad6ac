// The single-instance guard between Default and Preview runs: one user's guarded
// runs on one display exclude each other, and no other user can hold it.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/x11/guard_name.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/other_user.h"

using namespace e2e;

namespace {

const char* const title = "3D Tamsel's Screensaver";

int saver_windows(Display* display) {
  int count = 0;
  for (const auto& w : top_level_windows(display)) count += w.name == title;
  return count;
}

// The name the program guards itself with.
const char* const guard = "EVENT_NAME_HERE";

// A guarded run killed with SIGKILL leaves no guard behind: the next one starts.
void kill_a_holder_then_start_a_guarded_run(XServer& server) {
  {
    Program first({}, server.name());
    ASSERT_TRUE(wait_for_window(server.display(), title, 20));
    first.signal(SIGKILL);
    ASSERT_TRUE(first.wait_exit(10));
  }
  ASSERT_TRUE(wait_until([&] { return saver_windows(server.display()) == 0; }, 10));
  Program next({}, server.name());
  EXPECT_TRUE(wait_for_window(server.display(), title, 20));
  EXPECT_TRUE(next.running());
}

}  // namespace

#define REQUIRE_OTHER_USER(user)         \
  std::string why_not;                   \
  const auto user = other_user(why_not); \
  if (!user) GTEST_SKIP() << why_not

TEST(guard, a_second_guarded_run_ends_at_once_while_the_first_lives) {
  XServer server(200, 150);
  Program first({}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));

  Program second_default({}, server.name());
  EXPECT_EQ(second_default.wait_exit(10), 0);
  const Window host = create_host_window(server.display(), 10, 10, 80, 60);
  Program second_preview({"/p", std::to_string(host)}, server.name());
  EXPECT_EQ(second_preview.wait_exit(10), 0);
  EXPECT_EQ(saver_windows(server.display()), 1);
  EXPECT_TRUE(first.running());
}

TEST(guard, saver_runs_ignore_the_guard) {
  XServer server(200, 150);
  Program guarded({}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  Program saver({"/s"}, server.name());
  EXPECT_TRUE(wait_until([&] { return saver_windows(server.display()) == 2; }, 20));
  EXPECT_TRUE(saver.running());
  EXPECT_TRUE(guarded.running());
}

TEST(guard, the_guard_dies_with_its_holder_even_when_killed) {
  XServer server(200, 150);
  kill_a_holder_then_start_a_guarded_run(server);
}

TEST(guard, another_users_holders_of_every_guard_name_cannot_stop_this_users_run) {
  REQUIRE_OTHER_USER(user);
  XServer server(200, 150);
  // Every name the guard may use here, and the bare name, as a squatter who read
  // the program's strings would try.
  std::vector<std::string> names = guard_names(guard, geteuid(), server.name(), 0, guard_slot_count);
  names.push_back(guard);
  Child squat = squatter(*user, names, Squat::Listening);
  ASSERT_EQ(squat.answer(), 'y');

  Program run({}, server.name());
  EXPECT_TRUE(wait_for_window(server.display(), title, 20));
  EXPECT_TRUE(run.running());
}

TEST(guard, past_another_users_holders_this_users_guarded_runs_still_exclude_each_other) {
  REQUIRE_OTHER_USER(user);
  XServer server(200, 150);
  const uid_t me = geteuid();
  // Every manner of holding a name that could stall or fool the guard's question.
  Child listening = squatter(*user, guard_names(guard, me, server.name(), 0, 2), Squat::Listening);
  Child bound = squatter(*user, guard_names(guard, me, server.name(), 2, 4), Squat::BoundOnly);
  Child full = squatter(*user, guard_names(guard, me, server.name(), 4, 6), Squat::FullBacklog);
  ASSERT_EQ(listening.answer(), 'y');
  ASSERT_EQ(bound.answer(), 'y');
  ASSERT_EQ(full.answer(), 'y');

  Program first({}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  Program second({}, server.name());
  EXPECT_EQ(second.wait_exit(10), 0);
  EXPECT_EQ(saver_windows(server.display()), 1);
  EXPECT_TRUE(first.running());
}

TEST(guard, another_users_guarded_run_is_not_blocked_by_this_users) {
  REQUIRE_OTHER_USER(user);
  XServer server(200, 150);
  if (!can_run_on_display(*user, server.name(), why_not)) GTEST_SKIP() << why_not;
  Program mine({}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));

  Program theirs = Program::command(as_user(*user, {program_path()}), server.name());
  EXPECT_TRUE(wait_until([&] { return saver_windows(server.display()) == 2; }, 20)) << theirs.error_output();
  EXPECT_TRUE(theirs.running());
  // Their own second run still finds their guard.
  Program their_second = Program::command(as_user(*user, {program_path()}), server.name());
  EXPECT_EQ(their_second.wait_exit(10), 0);
  EXPECT_EQ(saver_windows(server.display()), 2);
  EXPECT_TRUE(mine.running());
}

TEST(guard, a_killed_holder_past_another_users_holder_frees_the_guard) {
  REQUIRE_OTHER_USER(user);
  XServer server(200, 150);
  Child squat = squatter(*user, guard_names(guard, geteuid(), server.name(), 0, 1), Squat::Listening);
  ASSERT_EQ(squat.answer(), 'y');
  kill_a_holder_then_start_a_guarded_run(server);
}
