## -*- texinfo -*-
## @deftypefn {} {@var{m} =} message (@var{id}, @var{arg1}, @dots{})
## The error that the Corvalent2 module raises, in the form Octave's @code{error}
## accepts: a struct whose @code{identifier} is @var{id} and whose @code{message} is
## the id followed by the arguments, separated by commas: text as it is, whole numbers
## as integers, other values as @code{mat2str} writes them with 17 digits.
## @code{error (message ("A:b", "x", 4))} raises the error "A:b: x, 4" with the
## identifier "A:b".
## @end deftypefn
function m = message (id, varargin)
  if (nargin < 1 || ! ischar (id))
    error ("Corvalent2:message:badId", "message: the first argument is the id, as text");
  endif
  text = id;
  separator = ": ";
  for k = 1:numel (varargin)
    text = [text separator argument_text(varargin{k})];
    separator = ", ";
  endfor
  m = struct ("message", text, "identifier", id);
endfunction

function text = argument_text (argument)
  if (ischar (argument))
    text = argument;
  elseif (isnumeric (argument) && isscalar (argument) && isreal (argument)
          && argument == fix (argument) && abs (argument) < flintmax ())
    text = sprintf ("%d", argument);
  else
    text = mat2str (argument, 17);
  endif
endfunction
