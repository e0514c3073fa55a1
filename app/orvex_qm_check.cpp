#include "orvex_qm_check.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const uchar qm_magic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                            0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};

// Blocks of the file, and the tagged fields of one message record.
enum Block : uchar {
    contexts = 0x2f, hashes = 0x42, messages = 0x69,
    numerus_rules = 0x88, dependencies = 0x96, language = 0xa7
};
enum Field : uchar {
    field_end = 1, field_translation = 3, field_obsolete = 5,
    field_source = 6, field_context = 7, field_comment = 8
};

struct Span
{
    const uchar *data = nullptr;
    quint32 size = 0;
};

quint32 read32(const uchar *p) { return qFromBigEndian<quint32>(p); }
quint32 read16(const uchar *p) { return qFromBigEndian<quint16>(p); }

// One record from `at`: fields with their lengths, up to the end tag, all
// inside the block. A translation is UTF-16, so of an even length.
bool message_at(Span block, quint32 &at)
{
    while (at < block.size) {
        const uchar field = block.data[at++];
        if (field == field_end)
            return true;
        if (block.size - at < 4)
            return false;
        if (field == field_obsolete) {
            at += 4;
            continue;
        }
        if (field != field_translation && field != field_source && field != field_context
            && field != field_comment)
            return false;
        const quint32 length = read32(block.data + at);
        at += 4;
        if (length > block.size - at || (field == field_translation && length % 2))
            return false;
        at += length;
    }
    return false;
}

// The records lie one after the other; where each starts.
bool messages_sound(Span block, std::vector<quint32> &starts)
{
    quint32 at = 0;
    while (at < block.size) {
        starts.push_back(at);
        if (!message_at(block, at))
            return false;
    }
    return true;
}

// Pairs of (hash, record offset); every offset must start a record.
bool hashes_sound(Span block, const std::vector<quint32> &starts)
{
    if (block.size % 8)
        return false;
    for (quint32 at = 0; at < block.size; at += 8)
        if (!std::binary_search(starts.begin(), starts.end(), read32(block.data + at + 4)))
            return false;
    return true;
}

// A hash table of context lists: a table size, then for each bucket the
// offset (in 16-bit words) of a list of length-prefixed names ending in a
// zero length.
bool contexts_sound(Span block)
{
    if (block.size < 2)
        return false;
    const quint32 buckets = read16(block.data);
    const quint32 lists = 2 + 2 * buckets;
    if (buckets == 0 || lists > block.size)
        return false;
    for (quint32 b = 0; b < buckets; ++b) {
        const quint32 offset = read16(block.data + 2 + 2 * b);
        if (offset == 0)
            continue;
        quint32 at = lists + 2 * offset;
        for (;;) {
            if (at >= block.size)
                return false;
            const quint32 length = block.data[at++];
            if (length == 0)
                break;
            if (length > block.size - at)
                return false;
            at += length;
        }
    }
    return true;
}

} // namespace

bool qm_is_sound(const QByteArray &data)
{
    if (data.size() < int(sizeof qm_magic) || data.size() > qm_max_bytes
        || std::memcmp(data.constData(), qm_magic, sizeof qm_magic) != 0)
        return false;
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const quint32 size = quint32(data.size());
    quint32 at = sizeof qm_magic;
    Span found[256];
    // Block after block up to the very end; the toolkit skips empty ones
    // and keeps the last of a kind.
    while (at < size) {
        if (size - at < 5)
            return false;
        const uchar tag = p[at];
        const quint32 length = read32(p + at + 1);
        at += 5;
        if (length > size - at)
            return false;
        if (tag != 0 && length != 0)
            found[tag] = Span{p + at, length};
        at += length;
    }
    for (int tag = 0; tag < 256; ++tag) {
        if (!found[tag].size)
            continue;
        switch (tag) {
        case contexts: case hashes: case messages: case numerus_rules: case language:
            break;
        default:
            // Dependencies would load further files unchecked; nothing else
            // belongs in a translation.
            return false;
        }
    }
    std::vector<quint32> starts;
    if (!messages_sound(found[messages], starts) || !hashes_sound(found[hashes], starts))
        return false;
    return !found[contexts].size || contexts_sound(found[contexts]);
}
