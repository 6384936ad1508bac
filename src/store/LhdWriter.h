#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/AtomicFile.h"

namespace lh::store {

class Database;

namespace lhd {

// The whole database in file form, with `counterField` in header bytes 1-2.
std::string serialize(const Database& db, std::uint16_t counterField);

// Told the number of records (categories and items) written so far, every few thousand records.
using WriteProgress = std::function<void(std::size_t written)>;

// Streams the database in file form into `file` (already open) and completes the header.
// False when a write failed (file.error() says why); the caller commits on success.
bool writeTo(const Database& db, std::uint16_t counterField, platform::AtomicFile& file,
             const WriteProgress& progress = {});

}  // namespace lhd
}  // namespace lh::store
