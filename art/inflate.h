// Decompression of a zlib stream (RFC 1950 around RFC 1951 deflate data), as
// PNG files hold their pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends the decompressed bytes to `out`. False when the stream is damaged,
// its checksum does not match, or it would give more than `limit` bytes.
bool inflateZlib(const std::uint8_t* data, std::size_t size, std::size_t limit,
                 std::vector<std::uint8_t>& out);
