// An IO.dll that is some other library: it loads, but exports no PortOut.
extern "C" int __stdcall PortIn(short) {
    return 0;
}
