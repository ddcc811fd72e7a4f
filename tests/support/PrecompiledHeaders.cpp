// Compiles the test targets' precompiled headers; holds no code of its own.
