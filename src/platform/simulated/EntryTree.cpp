#include "platform/simulated/EntryTree.h"

#include <algorithm>

namespace tarnsel::sim {

namespace attr = platform::attr;

Entry* Entry::child(const AnsiCodePage& codePage, const std::string& childName) const {
  for (const auto& entry : children) {
    if (codePage.sameName(entry->name, childName)) return entry.get();
  }
  return nullptr;
}

Entry& Entry::add(std::unique_ptr<Entry> entry) {
  children.push_back(std::move(entry));
  return *children.back();
}

void Entry::removeChild(const Entry& entry) {
  std::erase_if(children, [&](const auto& candidate) { return candidate.get() == &entry; });
}

std::unique_ptr<Entry> makeEntry(std::string name, std::uint32_t attributes,
                                 std::string linkTarget) {
  auto entry = std::make_unique<Entry>();
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

std::unique_ptr<Entry> shellCopyOf(const Entry& entry) {
  auto copy = makeEntry(
      entry.name,
      entry.isFolder() ? entry.attributes : fileAttributeWord(entry.attributes | attr::Archive),
      entry.linkTarget);
  copy->content = entry.content;
  copy->lastWriteYear = entry.lastWriteYear;
  for (const auto& child : entry.children) copy->add(shellCopyOf(*child));
  return copy;
}

void mergeInto(const AnsiCodePage& codePage, Entry& folder, std::unique_ptr<Entry> incoming) {
  Entry* existing = folder.child(codePage, incoming->name);
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
    auto place = std::find_if(folder.children.begin(), folder.children.end(),
                              [&](const auto& candidate) { return candidate.get() == existing; });
    *place = std::move(incoming);
    return;
  }
  existing->attributes = incoming->attributes;
  for (auto& child : incoming->children) mergeInto(codePage, *existing, std::move(child));
}

}  // namespace tarnsel::sim
