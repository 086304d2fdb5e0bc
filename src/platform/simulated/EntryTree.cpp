#include "platform/simulated/EntryTree.h"

#include <algorithm>

#include "platform/simulated/Utf8Conversion.h"

namespace tarnsel::sim {

namespace attr = platform::attr;

namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

// Real names compared with ASCII letter case ignored; other characters must match.
bool sameRealName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace

std::string Entry::realName(const AnsiCodePage& codePage) const {
  return unicodeName.empty() ? ansiToUtf8(codePage, name) : unicodeName;
}

Entry* Entry::child(const AnsiCodePage& codePage, const std::string& childName) const {
  for (const auto& entry : children) {
    if (entry->unicodeName.empty() && codePage.sameName(entry->name, childName)) {
      return entry.get();
    }
  }
  return nullptr;
}

Entry* Entry::childByRealName(const AnsiCodePage& codePage, const std::string& utf8Name) const {
  if (holdsName(codePage, utf8Name)) return child(codePage, utf8ToAnsi(codePage, utf8Name));
  for (const auto& entry : children) {
    if (!entry->unicodeName.empty() && sameRealName(entry->unicodeName, utf8Name)) {
      return entry.get();
    }
  }
  return nullptr;
}

EntryPointer Entry::shared(const Entry& entry) const {
  for (const auto& candidate : children) {
    if (candidate.get() == &entry) return candidate;
  }
  return nullptr;
}

Entry& Entry::add(EntryPointer entry) {
  children.push_back(std::move(entry));
  return *children.back();
}

void Entry::removeChild(const Entry& entry) {
  std::erase_if(children, [&](const auto& candidate) { return candidate.get() == &entry; });
}

EntryPointer makeEntry(std::string name, std::uint32_t attributes, std::string linkTarget) {
  static std::uint64_t lastIndex = 0;
  auto entry = std::make_shared<Entry>();
  entry->index = ++lastIndex;
  entry->name = std::move(name);
  entry->attributes = attributes;
  entry->linkTarget = std::move(linkTarget);
  return entry;
}

std::uint32_t fileAttributeWord(std::uint32_t attributes) {
  attributes &= ~(attr::Directory | attr::ReparsePoint | attr::Normal);
  return attributes == 0 ? attr::Normal : attributes;
}

std::uint32_t folderAttributeWord(std::uint32_t attributes, bool isLink) {
  attributes &= ~(attr::ReparsePoint | attr::Normal);
  attributes |= attr::Directory;
  return isLink ? attributes | attr::ReparsePoint : attributes;
}

std::uint32_t attributeWordFor(const Entry& entry, std::uint32_t attributes) {
  if (entry.isFolder()) return folderAttributeWord(attributes, entry.isLink());
  const std::uint32_t word = fileAttributeWord(attributes);
  return entry.isLink() ? (word & ~attr::Normal) | attr::ReparsePoint : word;
}

EntryPointer shellCopyOf(const Entry& entry) {
  auto copy = makeEntry(entry.name,
                        entry.isFolder() || entry.isLink()
                            ? entry.attributes
                            : fileAttributeWord(entry.attributes | attr::Archive),
                        entry.linkTarget);
  copy->unicodeName = entry.unicodeName;
  copy->content = entry.content;
  copy->lastWriteYear = entry.lastWriteYear;
  for (const auto& child : entry.children) copy->add(shellCopyOf(*child));
  return copy;
}

void mergeInto(const AnsiCodePage& codePage, Entry& folder, EntryPointer incoming) {
  Entry* existing = folder.childByRealName(codePage, incoming->realName(codePage));
  if (existing == nullptr) {
    folder.add(std::move(incoming));
    return;
  }
  const bool folderOntoFolder =
      existing->isFolder() && !existing->isLink() && incoming->isFolder() && !incoming->isLink();
  if (!folderOntoFolder) {
    // The replacement takes the old entry's place and name, so the listing stays
    // as it was.
    incoming->name = existing->name;
    incoming->unicodeName = existing->unicodeName;
    auto place = std::find_if(folder.children.begin(), folder.children.end(),
                              [&](const auto& candidate) { return candidate.get() == existing; });
    *place = std::move(incoming);
    return;
  }
  existing->attributes = incoming->attributes;
  for (auto& child : incoming->children) mergeInto(codePage, *existing, std::move(child));
}

}  // namespace tarnsel::sim
