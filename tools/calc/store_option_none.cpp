// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the store of births in builds without Qt.
#include "calc/store_option.h"

namespace zenthra::calc {
namespace {

StoreReply unavailable()
{
    StoreReply out;
    out.status = 2;
    out.messages.push_back("the saved births need a build with Qt, which this one is not");
    return out;
}

} // namespace

bool birthStoreAvailable()
{
    return false;
}
StoreReply listBirths(const std::string&)
{
    return unavailable();
}
StoreReply exportBirths(const std::string&, const std::string&)
{
    return unavailable();
}
StoreReply importBirths(const std::string&, const std::string&)
{
    return unavailable();
}

PersonReply findPerson(const std::string&, const std::string&)
{
    PersonReply out;
    static_cast<StoreReply&>(out) = unavailable();
    return out;
}

} // namespace zenthra::calc
