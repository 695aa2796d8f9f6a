// An empty program linked with the loader's hardening switched off: the PE check must reject it,
// which shows the check can tell a hardened program from one that is not.
int main() { return 0; }
