# Writes the 14 announcer samples of SAMPLE_DIR into OUTPUT as C++ byte arrays.
#   MODE=builtin  arrays inside the program, reached through BuiltInSamples()
#   MODE=pack     exported data symbols named after the samples, for the voice-pack library
# Run as: cmake -DSAMPLE_DIR=... -DOUTPUT=... -DMODE=... -P embed_samples.cmake
set(names WAV0 WAV1 WAV2 WAV3 WAV4 WAV5 WAV6 WAV7 WAV8 WAV9 MIN SEC HITONE LOTONE)
set(out "// Generated from ${SAMPLE_DIR} by cmake/embed_samples.cmake; do not edit.\n")
if(MODE STREQUAL "builtin")
    string(APPEND out "#include \"voice/builtin_samples.h\"\n\nnamespace vantrel {\nnamespace {\n")
endif()
foreach(name IN LISTS names)
    file(READ "${SAMPLE_DIR}/${name}.wav" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
    if(MODE STREQUAL "builtin")
        string(APPEND out "const unsigned char k${name}[] = {\n${bytes}};\n")
    else()
        string(APPEND out "extern \"C\" __attribute__((visibility(\"default\"), used)) "
                          "const unsigned char ${name}[] = {\n${bytes}};\n")
    endif()
endforeach()
if(MODE STREQUAL "builtin")
    string(APPEND out "}  // namespace\n\nconst std::array<std::span<const uint8_t>, kSampleCount>& "
                      "BuiltInSampleBytes() {\n    static const std::array<std::span<const uint8_t>, "
                      "kSampleCount> kAll = {\n")
    foreach(name IN LISTS names)
        string(APPEND out "        std::span<const uint8_t>(k${name}),\n")
    endforeach()
    string(APPEND out "    };\n    return kAll;\n}\n\n}  // namespace vantrel\n")
endif()
file(WRITE "${OUTPUT}.tmp" "${out}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
