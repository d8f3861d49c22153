// Texts that take the place of string-table entries, looked up by id before
// the string table. The program's list stays empty, so every lookup falls
// through to the string table.
#pragma once

class TextOverrideList {
public:
    // The newest list is the one that LoadResourceText consults, until it is destroyed.
    TextOverrideList();
    ~TextOverrideList();
    TextOverrideList(const TextOverrideList&) = delete;
    TextOverrideList& operator=(const TextOverrideList&) = delete;

    // The text of the first entry with the id, or null.
    const char* Find(int id) const;
    // Adds an entry behind the others; 0 when memory runs out.
    int Add(int id, const char* text);

    static TextOverrideList* Active();

private:
    struct Node {
        void* entry;  // a 32-bit id followed directly by the NUL-terminated text
        Node* next;
    };
    Node* first_;
    TextOverrideList* previous_;  // the list that was active before this one
};

extern TextOverrideList theTextOverrides;
