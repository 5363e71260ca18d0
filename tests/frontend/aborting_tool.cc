// A tool that crashes before it reports: the batch player must go on without its report.
#include <cstdlib>

int main() { std::abort(); }
