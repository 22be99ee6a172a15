#pragma once

#include <cstddef>
#include <cstdint>

// The fuzzing harnesses. Each takes one input of any bytes, runs it through a reader
// of the product and checks what must hold for every input; a broken rule aborts
// with a message on the error output. libFuzzer drives them in the fuzzing build
// (fuzz/run); the replay test feeds them the saved corpora and reproducers.
namespace tmk::fuzz {

using Harness = int (*)(const std::uint8_t* data, std::size_t size);

struct NamedHarness {
    const char* name; // also the folder of its corpus and reproducers
    Harness run;
};

// Data-packet files: read, written and read again; what was read must come back equal.
int dataPacket(const std::uint8_t* data, std::size_t size);
// Dataset filters: parsed over a fixed set of fields and evaluated on fixed rows.
int filter(const std::uint8_t* data, std::size_t size);
// A dataset column of each type filled from the input, read through every reader.
int datasetFields(const std::uint8_t* data, std::size_t size);
// The schema description parser and the DDL generated from what it accepts.
int schemaDescription(const std::uint8_t* data, std::size_t size);

inline constexpr NamedHarness kHarnesses[] = {
    {"datapacket", dataPacket},
    {"filter", filter},
    {"dataset_fields", datasetFields},
    {"schema_description", schemaDescription},
};

// Aborts with the harness's name and what went wrong.
[[noreturn]] void broken(const char* harness, const char* what, const char* detail = nullptr);

} // namespace tmk::fuzz
