// Keeps a tool library valid while its folder holds only Main.cpp.
