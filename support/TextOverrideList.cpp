#include "support/TextOverrideList.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
TextOverrideList* activeList = nullptr;
} // namespace

TextOverrideList::TextOverrideList() : first_(nullptr), previous_(activeList) {
    activeList = this;
}

TextOverrideList::~TextOverrideList() {
    for (Node* node = first_; node; node = node->next)
        free(node->entry);
    for (Node* node = first_; node;) {
        Node* next = node->next;
        free(node);
        node = next;
    }
    first_ = nullptr;
    if (activeList == this)
        activeList = previous_;
}

const char* TextOverrideList::Find(int id) const {
    for (const Node* node = first_; node; node = node->next) {
        int32_t entryId;
        memcpy(&entryId, node->entry, sizeof entryId);
        if (entryId == id)
            return static_cast<const char*>(node->entry) + sizeof entryId;
    }
    return nullptr;
}

int TextOverrideList::Add(int id, const char* text) {
    if (text == nullptr)
        text = "";
    size_t length = strlen(text);
    auto* entry = static_cast<char*>(malloc(sizeof(int32_t) + length + 1));
    auto* node = static_cast<Node*>(malloc(sizeof(Node)));
    if (entry == nullptr || node == nullptr) {
        free(entry);
        free(node);
        return 0;
    }
    int32_t entryId = id;
    memcpy(entry, &entryId, sizeof entryId);
    memcpy(entry + sizeof entryId, text, length + 1);
    node->entry = entry;
    node->next = nullptr;
    Node** link = &first_;
    while (*link)
        link = &(*link)->next;
    *link = node;
    return 1;
}

TextOverrideList* TextOverrideList::Active() {
    return activeList;
}
