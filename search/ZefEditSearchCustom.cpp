// Destruction notice of the abstract search engine.
#include "ZefEditSearchCustom.h"

#include <algorithm>

TZefEditSearchCustom::~TZefEditSearchCustom()
{
    auto notifications = std::move(freeNotifications_);
    for (auto& [client, callback] : notifications) callback(this);
}

void TZefEditSearchCustom::AddFreeNotification(const void* client, TFreeNotification callback)
{
    RemoveFreeNotification(client);
    freeNotifications_.emplace_back(client, std::move(callback));
}

void TZefEditSearchCustom::RemoveFreeNotification(const void* client)
{
    std::erase_if(freeNotifications_, [client](const auto& entry) { return entry.first == client; });
}
