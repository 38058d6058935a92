#include "formats/seeing_filter.h"

#include "formats/read_text.h"

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define TAVUNE_SHUFFLE_FILTER 1
#endif

namespace {

constexpr std::size_t kMarkEvery = FilterSights::kMarkEvery;

// A byte at a time: for the bytes before the first whole sixteen and after the last, and
// for a processor without the shuffle.
std::size_t NarrowPass(char* out, const unsigned char* text, std::size_t from, std::size_t end,
                       std::size_t kept, FilterSights* sights) {
  std::size_t count = 0;
  unsigned char high = 0;
  for (std::size_t i = from; i < end; ++i) {
    const unsigned char b = text[i];
    if (i % kMarkEvery == 0) sights->keptAt.push_back(kept + count);
    out[count] = static_cast<char>(b);
    count += kKept.kept[b];
    high |= b;
    if (b == '\\') {
      sights->backslash = true;
    } else if (b == 'C') {
      sights->cs.push_back(i);
    } else if (b == 'E') {
      sights->es.push_back(i);
    }
  }
  if (high >= 0x80) sights->highBytes = true;
  return count;
}

#ifdef TAVUNE_SHUFFLE_FILTER

// For each set of eight bytes to keep, as bits: the shuffle that moves them to the front,
// in order, and how many they are.
struct Compaction {
  unsigned char shuffle[256][8];
  unsigned char count[256];
  constexpr Compaction() : shuffle(), count() {
    for (int keep = 0; keep < 256; ++keep) {
      int n = 0;
      for (int i = 0; i < 8; ++i) {
        if ((keep & (1 << i)) != 0) shuffle[keep][n++] = static_cast<unsigned char>(i);
      }
      for (int rest = n; rest < 8; ++rest) shuffle[keep][rest] = 0x80;  // a zero byte
      count[keep] = static_cast<unsigned char>(n);
    }
  }
};
constexpr Compaction kCompaction;

// Each set bit of a stretch's mask, as the offset of its byte.
void NoteOffsets(std::size_t at, unsigned mask, std::vector<std::size_t>* offsets) {
  for (; mask != 0; mask &= mask - 1) {
    offsets->push_back(at + static_cast<std::size_t>(__builtin_ctz(mask)));
  }
}

// Sixteen bytes at a time, from and end multiples of sixteen. Each half of a stretch is
// shuffled to keep its bytes at the front and stored whole: the bytes past those kept
// are written over by the next store, and no store reaches past the stretch's own room.
__attribute__((target("ssse3"))) std::size_t WidePass(char* out, const unsigned char* text,
                                                      std::size_t from, std::size_t end,
                                                      std::size_t kept, FilterSights* sights) {
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i open = _mm_set1_epi8('(');
  const __m128i close = _mm_set1_epi8(')');
  const __m128i semicolon = _mm_set1_epi8(';');
  const __m128i c = _mm_set1_epi8('C');
  const __m128i e = _mm_set1_epi8('E');
  const __m128i slash = _mm_set1_epi8('\\');
  __m128i high = _mm_setzero_si128();
  __m128i backslash = _mm_setzero_si128();
  std::size_t count = 0;
  for (std::size_t at = from; at < end; at += 16) {
    if (at % kMarkEvery == 0) sights->keptAt.push_back(kept + count);
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
    high = _mm_or_si128(high, v);
    backslash = _mm_or_si128(backslash, _mm_cmpeq_epi8(v, slash));
    // "C" and "E" are rare outside comments and game information.
    const unsigned cs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)));
    const unsigned es = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, e)));
    if ((cs | es) != 0) {
      NoteOffsets(at, cs, &sights->cs);
      NoteOffsets(at, es, &sights->es);
    }
    const __m128i drop = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)),
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, open), _mm_cmpeq_epi8(v, close)),
                     _mm_cmpeq_epi8(v, semicolon)));
    const unsigned keep = ~static_cast<unsigned>(_mm_movemask_epi8(drop)) & 0xFFFFu;
    const unsigned low = keep & 0xFFu;
    const unsigned upper = keep >> 8;
    const __m128i lowShuffle =
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompaction.shuffle[low]));
    const __m128i upperShuffle =
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompaction.shuffle[upper]));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + count), _mm_shuffle_epi8(v, lowShuffle));
    count += kCompaction.count[low];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + count),
                     _mm_shuffle_epi8(_mm_srli_si128(v, 8), upperShuffle));
    count += kCompaction.count[upper];
  }
  if (_mm_movemask_epi8(high) != 0) sights->highBytes = true;
  if (_mm_movemask_epi8(backslash) != 0) sights->backslash = true;
  return count;
}

bool CanShuffle() {
  static const bool can = __builtin_cpu_supports("ssse3");
  return can;
}

#endif

}  // namespace

std::size_t KeepSgfBytesSeeing(char* out, const unsigned char* text, std::size_t from,
                               std::size_t end, std::size_t kept, FilterSights* sights) {
  return KeepSgfBytesSeeing(out, text, from, end, kept, sights, true);
}

std::size_t KeepSgfBytesSeeing(char* out, const unsigned char* text, std::size_t from,
                               std::size_t end, std::size_t kept, FilterSights* sights, bool wide) {
#ifdef TAVUNE_SHUFFLE_FILTER
  if (wide && end - from >= 16 && CanShuffle()) {
    const std::size_t first = (from + 15) / 16 * 16;
    const std::size_t last = first + (end - first) / 16 * 16;
    std::size_t count = NarrowPass(out, text, from, first, kept, sights);
    count += WidePass(out + count, text, first, last, kept + count, sights);
    return count + NarrowPass(out + count, text, last, end, kept + count, sights);
  }
#endif
  return NarrowPass(out, text, from, end, kept, sights);
}
