#version 110
// Ripple program, vertex stage: the fixed-function transform, colour and texture coordinate.

varying vec2 rippleCoord;

void main()
{
    gl_Position = ftransform();
    gl_FrontColor = gl_Color;
    rippleCoord = gl_MultiTexCoord0.st;
}
