// Replaced by the serial port implementation.
