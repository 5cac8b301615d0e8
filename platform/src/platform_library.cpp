// The shared platform library is made of its static parts; this file gives it a source of its own.
