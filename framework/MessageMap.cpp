#include "framework/MessageMap.h"

const MessageMapEntry* MessageMap::Find(UINT message, WPARAM wParam) const {
    for (const MessageMap* map = this; map != nullptr; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.message != message)
                continue;
            if (message != WM_COMMAND)
                return &entry;
            if (entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam))
                return &entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id) {
    const WPARAM command = MAKEWPARAM(id, 0);
    const MessageMapEntry* entry = GetMessageMap().Find(WM_COMMAND, command);
    if (entry == nullptr)
        return false;
    entry->invoke(this, command, 0);
    return true;
}

const MessageMap& CCmdTarget::GetMessageMap() const {
    static const MessageMap map(nullptr);
    return map;
}
