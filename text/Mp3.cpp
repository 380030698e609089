#include "text/Texte.h"

#ifdef ZELO_HAVE_MP3
#include <lame/lame.h>
#include <mpg123.h>
#endif

namespace zelo::text {

bool Mp3Pruefen() {
#ifdef ZELO_HAVE_MP3
  lame_global_flags* encoder = lame_init();
  if (!encoder) return false;
  lame_close(encoder);
  if (mpg123_init() != MPG123_OK) return false;
  int fehler = MPG123_OK;
  mpg123_handle* decoder = mpg123_new(nullptr, &fehler);
  if (!decoder) return false;
  mpg123_delete(decoder);
  return true;
#else
  return false;
#endif
}

}  // namespace zelo::text
