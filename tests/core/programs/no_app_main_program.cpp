// A program that forgot its AppMain: it must say so instead of running nothing.
#include <tarnvik.h>

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

void ApplySettings() { GetRuntimeSettings().windowTitle = "NoAppMain"; }

int main(int argc, char** argv) { RunProgram(argc, argv); }
