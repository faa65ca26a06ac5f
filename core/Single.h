#pragma once
// Storing a value in single precision.
//
// The viewer keeps some values as 32-bit singles (the picture area PicLeft ..
// PicRows, the screen size in pixels, the label sizes, the class limits' e,
// the bilinear step's a and b, ScaleKm, the progress bar's values, the
// readout's seconds, ...) and computes everything in between in double. A
// value must therefore be rounded to the nearest single exactly where it is
// stored, and the next computation must start from that single.
//
// A plain static_cast<float> does not guarantee this: a compiler that
// evaluates with excess precision may keep the double, and g++ 12 at -O2/-O3
// does so when its straight-line vectoriser packs several conversions
// together (PicCols came out of PicRight - PicLeft + 1 in doubles, not in the
// stored singles: 374.95999145507812 instead of 374.96002197265625 on a
// 640 x 480 screen). Single() converts and then hides the result from the
// optimiser behind an empty asm statement that takes the value in the
// register it already lives in: the single must exist as a single, nothing
// can be folded across it, and it costs no instruction. The build adds
// -ffp-contract=off (no fused multiply-add merging two roundings, with
// -march=native too) and -fno-tree-slp-vectorize to every target, so that a
// conversion written without Single() is kept as well; see the README's
// build section.

namespace marn {

[[nodiscard]] inline float Single(double value) noexcept
{
    float single = static_cast<float>(value);
#if defined(__GNUC__) && (defined(__x86_64__) || (defined(__i386__) && defined(__SSE_MATH__)))
    __asm__("" : "+x"(single));
#elif defined(__GNUC__) && defined(__aarch64__)
    __asm__("" : "+w"(single));
#elif defined(__GNUC__)
    __asm__("" : "+m"(single));
#else
    volatile float stored = single;
    single = stored;
#endif
    return single;
}

} // namespace marn
