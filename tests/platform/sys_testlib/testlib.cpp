// Loaded by the library tests: one export to find.
extern "C" __attribute__((visibility("default"))) int SysTestLibAnswer() { return 42; }
