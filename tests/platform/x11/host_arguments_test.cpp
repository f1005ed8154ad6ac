#include "platform/x11/host_arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HostArguments scan(std::vector<const char*> args, const char* variable = nullptr) {
  args.insert(args.begin(), "cubesaver");
  return parse_host_arguments(static_cast<int>(args.size()), args.data(), variable);
}

}  // namespace

TEST(host_arguments, root_draws_on_the_window_in_the_variable_or_on_the_root) {
  for (const char* flag : {"-root", "--root"}) {
    const HostArguments with_variable = scan({flag}, "0xA00008");
    EXPECT_TRUE(with_variable.present);
    EXPECT_FALSE(with_variable.root_window);
    EXPECT_EQ(with_variable.window, 0xA00008u);

    const HostArguments without = scan({flag});
    EXPECT_TRUE(without.present);
    EXPECT_TRUE(without.root_window);
    EXPECT_TRUE(scan({flag}, "").root_window) << "an empty variable counts as unset";
  }
}

TEST(host_arguments, window_id_takes_hex_or_decimal_and_wins_over_root) {
  EXPECT_EQ(scan({"--window-id", "0x400E22"}).window, 0x400E22u);
  EXPECT_EQ(scan({"-window-id", "4198946"}).window, 4198946u);
  EXPECT_EQ(scan({"-window-id", "0X1f"}).window, 0x1Fu);
  const HostArguments both = scan({"--root", "--window-id", "0x400E22"}, "0xA00008");
  EXPECT_TRUE(both.present);
  EXPECT_FALSE(both.root_window);
  EXPECT_EQ(both.window, 0x400E22u);
  EXPECT_EQ(scan({"--window-id", "0x400E22", "-root"}).window, 0x400E22u);
}

TEST(host_arguments, ids_that_are_no_window_ids_give_zero) {
  EXPECT_EQ(scan({"--window-id"}).window, 0u);
  EXPECT_TRUE(scan({"--window-id"}).present);
  EXPECT_EQ(scan({"--window-id", "0x"}).window, 0u);
  EXPECT_EQ(scan({"--window-id", "12ab"}).window, 0u);
  EXPECT_EQ(scan({"--window-id", "-5"}).window, 0u);
  EXPECT_EQ(scan({"--window-id", "0x1FFFFFFFF"}).window, 0u);
  EXPECT_EQ(scan({"--window-id", "99999999999999999999999"}).window, 0u);
  const HostArguments bad_variable = scan({"-root"}, "not-a-window");
  EXPECT_FALSE(bad_variable.root_window);
  EXPECT_EQ(bad_variable.window, 0u);
}

TEST(host_arguments, other_arguments_are_not_host_arguments) {
  EXPECT_FALSE(scan({}).present);
  EXPECT_FALSE(scan({"/s"}).present);
  EXPECT_FALSE(scan({"root"}).present);
  EXPECT_FALSE(scan({"---root"}).present);
  EXPECT_FALSE(scan({"-rootx"}).present);
  EXPECT_FALSE(scan({"-window", "5"}).present);
}
