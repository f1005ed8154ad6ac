// The guard's names and who counts as a guard, without a display: the names
// carry the user, the slot and the display; another user's holders of those
// names are no guard; this user's runs still find each other past them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/x11/guard_name.h"
#include "tests/e2e/other_user.h"

using namespace e2e;

namespace {

std::string text(const GuardName& name) { return std::string(name.bytes, name.length); }

std::string name_of(const char* guard, uid_t uid, const char* display, int slot) {
  return text(guard_socket_name(guard, uid, display, slot));
}

// A name no other test or run uses.
std::string unique_name(const char* stem) {
  return std::string("cubesaver-owner-test-") + stem + "-" + std::to_string(getpid());
}

std::string display_value() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr ? display : "";
}

char code(GuardResult result) {
  switch (result) {
    case GuardResult::Created: return 'c';
    case GuardResult::AlreadyExists: return 'e';
    case GuardResult::Failed: return 'f';
  }
  return '?';
}

// Runs the guard in a child process, as the user when one is given; the child
// keeps what it got until the returned object ends.
Child guarded_child(const std::optional<OtherUser>& user, const std::string& name) {
  return Child(user, [=] { return code(create_named_guard(name.c_str())); });
}

#define REQUIRE_OTHER_USER(user)              \
  std::string why_not;                        \
  const auto user = other_user(why_not);      \
  if (!user) GTEST_SKIP() << why_not

}  // namespace

TEST(guard_name, the_name_carries_the_user_the_slot_and_the_display) {
  EXPECT_EQ(name_of("EVENT_NAME_HERE", 1000, ":0", 3), "EVENT_NAME_HERE uid=1000 slot=3 display=:0");
  EXPECT_EQ(name_of("EVENT_NAME_HERE", 0, nullptr, 0), "EVENT_NAME_HERE uid=0 slot=0 display=");
  EXPECT_EQ(name_of("EVENT_NAME_HERE", 0, "", 0), "EVENT_NAME_HERE uid=0 slot=0 display=");
}

TEST(guard_name, screens_and_spellings_of_one_display_share_its_name) {
  const std::string plain = name_of("g", 7, ":0", 0);
  for (const char* same : {":0.0", ":0.1", "unix:0", "unix:0.2"}) {
    EXPECT_EQ(name_of("g", 7, same, 0), plain) << same;
  }
  for (const char* other : {":1", ":10", "host:0", "localhost:10.0", ""}) {
    EXPECT_NE(name_of("g", 7, other, 0), plain) << other;
  }
  EXPECT_EQ(name_of("g", 7, "localhost:10.0", 0), "g uid=7 slot=0 display=localhost:10");
  EXPECT_EQ(name_of("g", 7, "junk", 0), "g uid=7 slot=0 display=junk");
}

TEST(guard_name, users_and_slots_give_distinct_names) {
  EXPECT_NE(name_of("g", 1000, ":0", 0), name_of("g", 1001, ":0", 0));
  EXPECT_NE(name_of("g", 1, ":0", 0), name_of("g", 10, ":0", 0));
  EXPECT_NE(name_of("g", 1000, ":0", 0), name_of("g", 1000, ":0", 1));
  EXPECT_NE(name_of("g", 1000, ":0", 1), name_of("g", 1000, ":0", guard_slot_count - 1));
}

TEST(guard_name, a_long_name_or_display_is_shortened_but_keeps_the_user_and_the_slot) {
  const std::string long_text(300, 'x');
  const std::string long_name = name_of(long_text.c_str(), 4294967294u, ":0", 15);
  EXPECT_EQ(long_name.size(), guard_name_capacity);
  EXPECT_TRUE(long_name.ends_with(" uid=4294967294 slot=15")) << long_name;
  EXPECT_NE(long_name, name_of(long_text.c_str(), 4294967294u, ":0", 14));

  const std::string long_display = ":" + long_text;
  const std::string cut = name_of("EVENT_NAME_HERE", 1000, long_display.c_str(), 2);
  EXPECT_EQ(cut.size(), guard_name_capacity);
  EXPECT_TRUE(cut.starts_with("EVENT_NAME_HERE uid=1000 slot=2 display=:xxx")) << cut;
}

TEST(guard_owner, another_users_listening_holders_of_every_slot_are_no_guard) {
  REQUIRE_OTHER_USER(user);
  const std::string name = unique_name("every-slot");
  Child squat = squatter(*user, guard_names(name, geteuid(), display_value(), 0, guard_slot_count), Squat::Listening);
  ASSERT_EQ(squat.answer(), 'y');
  // No slot left to hold: the run goes ahead without a guard rather than end.
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::Failed);
}

TEST(guard_owner, past_another_users_holders_this_users_runs_still_find_each_other) {
  REQUIRE_OTHER_USER(user);
  const std::string name = unique_name("past-squatters");
  const uid_t me = geteuid();
  Child listening = squatter(*user, guard_names(name, me, display_value(), 0, 2), Squat::Listening);
  Child bound = squatter(*user, guard_names(name, me, display_value(), 2, 4), Squat::BoundOnly);
  Child full = squatter(*user, guard_names(name, me, display_value(), 4, 6), Squat::FullBacklog);
  ASSERT_EQ(listening.answer(), 'y');
  ASSERT_EQ(bound.answer(), 'y');
  ASSERT_EQ(full.answer(), 'y');

  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::AlreadyExists);
  Child second_run = guarded_child(std::nullopt, name);
  EXPECT_EQ(second_run.answer(), 'e');
}

TEST(guard_owner, another_user_is_not_blocked_by_this_users_guard) {
  REQUIRE_OTHER_USER(user);
  const std::string name = unique_name("other-user");
  ASSERT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
  Child their_first = guarded_child(user, name);
  EXPECT_EQ(their_first.answer(), 'c');
  Child their_second = guarded_child(user, name);
  EXPECT_EQ(their_second.answer(), 'e');
}

TEST(guard_owner, a_run_that_takes_a_freed_earlier_slot_yields_to_the_guard_in_a_later_one) {
  REQUIRE_OTHER_USER(user);
  const std::string name = unique_name("freed-slot");
  Child squat = squatter(*user, guard_names(name, geteuid(), display_value(), 0, 1), Squat::Listening);
  ASSERT_EQ(squat.answer(), 'y');
  Child holder = guarded_child(std::nullopt, name);
  ASSERT_EQ(holder.answer(), 'c');

  squat.kill_now();
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::AlreadyExists);
  holder.kill_now();
  EXPECT_EQ(create_named_guard(name.c_str()), GuardResult::Created);
}
