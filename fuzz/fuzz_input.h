#pragma once
// What every fuzz target needs: its input as bytes, and a check whose failure
// ends the run so that libFuzzer keeps the input that broke it.

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

#define FUZZ_CHECK(condition) ((condition) ? void() : std::abort())

inline QByteArrayView fuzzInput(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}
