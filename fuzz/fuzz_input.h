#pragma once
// What every fuzz target needs: its input as bytes, and a check whose failure
// ends the run so that libFuzzer keeps the input that broke it.

#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <cstdlib>

#define FUZZ_CHECK(condition) ((condition) ? void() : std::abort())

inline QByteArrayView fuzzInput(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}

// The input cut at its first N - 1 NUL bytes into N parts, the last taking
// the rest; parts past the input's last NUL are empty. Targets that build
// several texts from one input take them so: a NUL is rare in text, and
// libFuzzer finds and moves it easily.
template <size_t N> std::array<QByteArrayView, N> fuzzParts(QByteArrayView input) {
    std::array<QByteArrayView, N> parts;
    for (size_t i = 0; i + 1 < N; ++i) {
        const qsizetype nul = input.indexOf('\0');
        parts[i] = nul < 0 ? input : input.first(nul);
        input = nul < 0 ? QByteArrayView() : input.sliced(nul + 1);
    }
    parts[N - 1] = input;
    return parts;
}
