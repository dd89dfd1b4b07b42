// A shared library that is not a Qt plugin, for the loader to refuse.
extern "C" int ondavoxNotAModule()
{
    return 64;
}
