#version 110
// Ripple program, fragment stage: shifts the texture coordinate by a slow, small wave so the
// picture seems to shimmer like air over warm ground.

uniform sampler2D picture;
uniform float time;

varying vec2 rippleCoord;

void main()
{
    vec2 wave = vec2(sin(rippleCoord.t * 31.0 + time * 1.3),
                     cos(rippleCoord.s * 27.0 + time * 1.1));
    gl_FragColor = texture2D(picture, rippleCoord + wave * 0.0025) * gl_Color;
}
