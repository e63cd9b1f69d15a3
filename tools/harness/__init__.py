"""What the tests, the demo run and the benchmarks share: processes stopped by
the ids we hold, a private Xvfb, Wine prefixes and their environment, the
loopback servers, the demo site, generated list pages and the window driver.

Importable once tools/ is on PYTHONPATH, which the test command (through
CMake's test definitions) and the scripts set.
"""
