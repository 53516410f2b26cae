int a = M(1);
M(2) int SUM(3) b = M(4);
/* M(5) */ double c = M1(2.5f), d = M(-3); // M(6)
const char* e = "M(7)";
auto f = M2("door\n"), g = M3(0x10);

int h = M(7);
