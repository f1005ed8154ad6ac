// Who makes the program: its name, site and address, and the texts built from
// them. Nothing else in the code names the maker.
#pragma once

inline constexpr char maker_name[] = "Tamsel Studio";
inline constexpr char maker_home_page[] = "https://tamsel.example/";
inline constexpr char maker_email[] = "hello@tamsel.example";

// The home page, tagged so that the site can count visits that came from here.
inline constexpr char maker_website_link[] = "https://tamsel.example/?utm_source=About";

// Three lines: rights, more screensavers, contact.
inline constexpr char maker_notice[] =
    "\xC2\xA9 2026 Tamsel Studio. All rights reserved.\r\n"
    "More free screensavers at tamsel.example\r\n"
    "Questions or ideas? Write to hello@tamsel.example";
