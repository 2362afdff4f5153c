#include "app/uninstall/AMAppItem.h"

std::shared_ptr<AMAppItem> AMAppItem::copy() const {
    auto item = std::make_shared<AMAppItem>(*this);
    item->isSystemApp = false;
    item->bIsSelected = false;
    item->bIsGetSize = false;
    return item;
}
