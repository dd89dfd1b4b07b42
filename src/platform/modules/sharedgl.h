#pragma once

// The OpenGL context that every other context of the program shares with: the
// video surface and the browser engine draw into the same window and must see
// each other's textures. Qt makes it in the application's constructor when
// asked to (Qt::AA_ShareOpenGLContexts), which loads the GL driver before the
// first window shows; made here, it costs nothing until a picture or a page
// needs OpenGL. Whatever draws with OpenGL calls ensure() first.
namespace SharedGl
{

// Makes it unless it exists; false when the platform cannot make one.
bool ensure();

} // namespace SharedGl
