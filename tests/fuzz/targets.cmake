# The fuzz targets: fuzz_NAME.cpp each, with their inputs in corpus/NAME and
# regressions/NAME. Read by the main build and the fuzzers' own project.
set(VELMORA_FUZZ_TARGETS smartbase mapfile results passwd answers)
