// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zenthra {

// The title every window and message box carries.
inline constexpr const char* kProgramTitle = "Zenthra v1.35";

// The banner line and the two promotional texts; the main window and the
// result window show the same ones.
inline constexpr const char* kBannerText =
    "Questions about your chart? Ask them on the Zenthra discussion board. Visit us today!";
inline constexpr const char* kCoBrandText =
    "Co-brand this software for your site. Put your own name, logo and web address on Zenthra "
    "and give it to your visitors. Click Here for more info on co-branding.";
inline constexpr const char* kFullBrandText =
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website. Click here for more details.";

} // namespace zenthra
